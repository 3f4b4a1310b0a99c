#include <gtest/gtest.h>

#include <string>

#include "app/TextSearch.h"

namespace {

using qm::FindInText;

TEST(FindInText, FindsFromThePositionOnAndReportsAMiss) {
    const std::u16string text = u"<p>one</p>\r\n<p>two</p>";
    EXPECT_EQ(FindInText(text, u"<p>", 0, true), 0);
    EXPECT_EQ(FindInText(text, u"<p>", 1, true), 12) << "CR LF counts as two characters";
    EXPECT_EQ(FindInText(text, u"<p>", 13, true), -1) << "no wrapping around to the start";
    EXPECT_EQ(FindInText(text, u"two</p>", 0, true), static_cast<long long>(text.size()) - 7) << "at the very end";
    EXPECT_EQ(FindInText(text, u"three", 0, true), -1);
}

TEST(FindInText, EmptyTextsAndPositionsPastTheEnd) {
    EXPECT_EQ(FindInText(u"abc", u"", 0, true), -1);
    EXPECT_EQ(FindInText(u"", u"a", 0, false), -1);
    EXPECT_EQ(FindInText(u"abc", u"c", 3, true), -1);
    EXPECT_EQ(FindInText(u"abc", u"c", 99, false), -1);
    EXPECT_EQ(FindInText(u"abc", u"abcd", 0, false), -1);
    EXPECT_EQ(FindInText(u"abc", u"c", 2, false), 2);
}

TEST(FindInText, LettersMatchRegardlessOfCaseUnlessAsked) {
    const std::u16string text = u"<BODY><body>";
    EXPECT_EQ(FindInText(text, u"body", 0, false), 1);
    EXPECT_EQ(FindInText(text, u"body", 0, true), 7);
    EXPECT_EQ(FindInText(text, u"BoDy", 2, false), 7);
    EXPECT_EQ(FindInText(text, u"BoDy", 0, true), -1);
    // Signs and digits are not letters: "[" is not "{", "1" is not "!".
    EXPECT_EQ(FindInText(u"{1}", u"[1]", 0, false), -1);
    EXPECT_EQ(FindInText(u"a@b", u"a`b", 0, false), -1);
}

TEST(FindInText, LettersOfEveryScriptFoldAndSignsDoNot) {
    EXPECT_EQ(FindInText(u"Herr M\u00dcLLER", u"m\u00fcller", 0, false), 5);
    EXPECT_EQ(FindInText(u"Herr M\u00dcLLER", u"m\u00fcller", 0, true), -1);
    EXPECT_EQ(FindInText(u"\u0422\u0440\u0438 \u0401\u041b\u041a\u0418", u"\u0451\u043b\u043a\u0438", 0, false), 4);
    // Final and medial sigma both fold to sigma; the sharp s and its capital.
    EXPECT_EQ(FindInText(u"\u039f\u0394\u039f\u03a3", u"\u03bf\u03b4\u03bf\u03c2", 0, false), 0);
    EXPECT_EQ(FindInText(u"STRA\u1e9eE", u"stra\u00dfe", 0, false), 0);
    // The capitals of Windows-1252's 8A, 8C, 8E and 9F; the multiplication
    // and division signs are no pair.
    EXPECT_EQ(FindInText(u"\u0160\u0152\u017d\u0178", u"\u0161\u0153\u017e\u00ff", 0, false), 0);
    EXPECT_EQ(FindInText(u"\u00d7", u"\u00f7", 0, false), -1);
    EXPECT_EQ(qm::FoldLetterCase(u'\u00c0'), u'\u00e0');
    EXPECT_EQ(qm::FoldLetterCase(u'\u00df'), u'\u00df');
}

TEST(FindInText, OddBytesAndAHitNearTheEndOfALongText) {
    // Units sharing a low byte with the needle's ("\u0161" and "a"), and an
    // emoji, whose halves fold to themselves.
    std::u16string text(3'000'000, u'a');
    text += u"\u0161\x01\xFF\U0001F600needle";
    EXPECT_EQ(FindInText(text, u"\u0160\x01\xFF\U0001F600NEEDLE", 0, false), 3'000'000);
    EXPECT_EQ(FindInText(text, u"\u0160\x01\xFF\U0001F600NEEDLE", 0, true), -1);
    EXPECT_EQ(FindInText(text, u"aaa\u0161", 2'999'000, true), 2'999'997);
}

TEST(FindInText, BackwardsAndReplacingEveryMatch) {
    const std::u16string text = u"<P>a</p><p>b</P>";
    EXPECT_EQ(qm::FindLastInText(text, u"<p>", text.size(), false), 8);
    EXPECT_EQ(qm::FindLastInText(text, u"<p>", 8, false), 0) << "a hit ends at or before the limit";
    EXPECT_EQ(qm::FindLastInText(text, u"<p>", 2, false), -1);
    EXPECT_EQ(qm::FindLastInText(text, u"<P>", 16, true), 0);

    const qm::TReplacement all = qm::ReplaceAllInText(u"aaa.aa", u"aa", u"b", true);
    EXPECT_EQ(all.Text, u"ba.b") << "no overlaps";
    ASSERT_EQ(all.Changes.size(), 2u);
    EXPECT_EQ(all.Changes[1].At, 3) << "where it stands in the new text";
    EXPECT_EQ(all.Changes[1].Removed, u"aa");
    EXPECT_EQ(qm::ReplaceAllInText(u"Ab", u"a", u"c", true).Changes.size(), 0u);
    EXPECT_EQ(qm::ReplaceAllInText(u"Ab", u"a", u"c", false).Text, u"cb");
}

}  // namespace
