#include "app/DocumentText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using qm::NormalizeLineBreaks;
using qm::TextToFileBytes;

TEST(DocumentText, EveryByteButNulCrLfSurvivesLoadAndSave) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    }
    ASSERT_EQ(all.size(), 253u);
    EXPECT_EQ(NormalizeLineBreaks(all), all);
    EXPECT_EQ(TextToFileBytes(NormalizeLineBreaks(all)), all + "\r\n");
    // Ctrl+Z is an ordinary byte, also at the very end of a file.
    EXPECT_EQ(TextToFileBytes(NormalizeLineBreaks("a\x1A")), "a\x1A\r\n");
    EXPECT_FALSE(qm::UnloadableReason(all).has_value());
}

TEST(DocumentText, EveryKindOfLineBreakBecomesCrLf) {
    EXPECT_EQ(NormalizeLineBreaks("a\r\nb\rc\nd"), "a\r\nb\r\nc\r\nd");
    EXPECT_EQ(NormalizeLineBreaks("\n\r"), "\r\n\r\n");  // LF then CR: two breaks
    EXPECT_EQ(NormalizeLineBreaks("\r\r\n\n"), "\r\n\r\n\r\n");
    EXPECT_EQ(NormalizeLineBreaks("\r"), "\r\n");
    EXPECT_EQ(NormalizeLineBreaks("x\r"), "x\r\n");
    EXPECT_EQ(NormalizeLineBreaks(""), "");
    for (std::string s : {"a\r\nb\rc\nd", "\n\r", "\r\r\n\n", "", "plain", "x\r"}) {
        EXPECT_EQ(qm::NormalizedLength(s), NormalizeLineBreaks(s).size()) << s;
    }
}

TEST(DocumentText, SaveEndsEveryLineWithCrLfWithoutAnExtraEmptyLine) {
    EXPECT_EQ(TextToFileBytes(""), "");
    EXPECT_EQ(TextToFileBytes("one"), "one\r\n");
    EXPECT_EQ(TextToFileBytes("one\r\ntwo"), "one\r\ntwo\r\n");
    EXPECT_EQ(TextToFileBytes("one\r\n"), "one\r\n");
    EXPECT_EQ(TextToFileBytes("one\r\n\r\n"), "one\r\n\r\n");
    EXPECT_EQ(TextToFileBytes("\r\n"), "\r\n");
    // Lone breaks pasted into the control are written as CR LF.
    EXPECT_EQ(TextToFileBytes("a\nb\rc"), "a\r\nb\r\nc\r\n");
    EXPECT_EQ(TextToFileBytes("a\n"), "a\r\n");
    EXPECT_EQ(TextToFileBytes("a\r"), "a\r\n");
    EXPECT_EQ(TextToFileBytes("\n\r"), "\r\n\r\n");
}

TEST(DocumentText, FilesTheEditorCannotHoldHaveAReason) {
    EXPECT_FALSE(qm::UnloadableReason("").has_value());
    const auto nul = qm::UnloadableReason(std::string("ab\0cd", 5));
    ASSERT_TRUE(nul.has_value());
    EXPECT_NE(nul->find("NUL"), std::string::npos);
    EXPECT_NE(nul->find("byte 2"), std::string::npos);

    // The limit counts the text after normalising: lone LFs grow by a byte.
    const std::size_t half = qm::kMaxDocumentText / 2;
    EXPECT_FALSE(qm::UnloadableReason(std::string(half, '\n')).has_value());
    const auto grown = qm::UnloadableReason(std::string(half + 1, '\n'));
    ASSERT_TRUE(grown.has_value());
    EXPECT_EQ(*grown, qm::TooLargeReason());
    EXPECT_FALSE(qm::UnloadableReason(std::string(qm::kMaxDocumentText, 'x')).has_value());
    EXPECT_TRUE(qm::UnloadableReason(std::string(qm::kMaxDocumentText + 1, 'x')).has_value());
}

}  // namespace
