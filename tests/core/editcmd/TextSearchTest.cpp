#include <gtest/gtest.h>

#include <string>

#include "app/TextSearch.h"

namespace {

using qm::FindInText;

TEST(FindInText, FindsFromThePositionOnAndReportsAMiss) {
    const std::string text = "<p>one</p>\r\n<p>two</p>";
    EXPECT_EQ(FindInText(text, "<p>", 0, true), 0);
    EXPECT_EQ(FindInText(text, "<p>", 1, true), 12) << "CR LF counts as two characters";
    EXPECT_EQ(FindInText(text, "<p>", 13, true), -1) << "no wrapping around to the start";
    EXPECT_EQ(FindInText(text, "two</p>", 0, true), static_cast<long long>(text.size()) - 7) << "at the very end";
    EXPECT_EQ(FindInText(text, "three", 0, true), -1);
}

TEST(FindInText, EmptyTextsAndPositionsPastTheEnd) {
    EXPECT_EQ(FindInText("abc", "", 0, true), -1);
    EXPECT_EQ(FindInText("", "a", 0, false), -1);
    EXPECT_EQ(FindInText("abc", "c", 3, true), -1);
    EXPECT_EQ(FindInText("abc", "c", 99, false), -1);
    EXPECT_EQ(FindInText("abc", "abcd", 0, false), -1);
    EXPECT_EQ(FindInText("abc", "c", 2, false), 2);
}

TEST(FindInText, LettersMatchRegardlessOfCaseUnlessAsked) {
    const std::string text = "<BODY><body>";
    EXPECT_EQ(FindInText(text, "body", 0, false), 1);
    EXPECT_EQ(FindInText(text, "body", 0, true), 7);
    EXPECT_EQ(FindInText(text, "BoDy", 2, false), 7);
    EXPECT_EQ(FindInText(text, "BoDy", 0, true), -1);
    // Signs and digits are not letters: "[" is not "{", "1" is not "!".
    EXPECT_EQ(FindInText("{1}", "[1]", 0, false), -1);
    EXPECT_EQ(FindInText("a@b", "a`b", 0, false), -1);
}

TEST(FindInText, AccentedLettersOfTheCodePageFoldToo) {
    // "MÜLLER" and "müller" in Windows-1252; the multiplication sign D7 and
    // the division sign F7 are no pair.
    EXPECT_EQ(FindInText("Herr M\xDCLLER", "m\xFCller", 0, false), 5);
    EXPECT_EQ(FindInText("Herr M\xDCLLER", "m\xFCller", 0, true), -1);
    EXPECT_EQ(FindInText("\xD7", "\xF7", 0, false), -1);
    EXPECT_EQ(FindInText("\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF", 0, false), 0);
    EXPECT_EQ(qm::FoldLetterCase('\xC0'), '\xE0');
    EXPECT_EQ(qm::FoldLetterCase('\xDF'), '\xDF') << "sharp s has no capital here";
}

TEST(FindInText, OddBytesAndAHitNearTheEndOfALongText) {
    std::string text(3'000'000, 'a');
    text += "\x01\xFF\x80needle";
    EXPECT_EQ(FindInText(text, "\x01\xFF\x80NEEDLE", 0, false), 3'000'000);
    EXPECT_EQ(FindInText(text, "\x01\xFF\x80NEEDLE", 0, true), -1);
    EXPECT_EQ(FindInText(text, "aaa\x01", 2'999'000, true), 2'999'997);
}

}  // namespace
