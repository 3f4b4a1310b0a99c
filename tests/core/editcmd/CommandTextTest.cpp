#include <gtest/gtest.h>

#include "app/CommandText.h"

namespace {

TEST(HtmlColorText, RedGreenBlueInThatOrderInUpperCase) {
    EXPECT_EQ(qm::HtmlColorText(0x000080FF), "#FF8000");  // red 255, green 128, blue 0
    EXPECT_EQ(qm::HtmlColorText(0x00FF0000), "#0000FF");  // pure blue
    EXPECT_EQ(qm::HtmlColorText(0x00000000), "#000000");
    EXPECT_EQ(qm::HtmlColorText(0x00ABCDEF), "#EFCDAB");
    EXPECT_EQ(qm::HtmlColorText(0x0A0B0C0D), "#0D0C0B") << "the top byte is not a colour";
}

TEST(ProgramCommandLine, ProgramAlwaysQuotedArgumentOnlyForBlanks) {
    EXPECT_EQ(qm::ProgramCommandLine("C:\\Tools\\viewer.exe", "C:\\Web\\index.htm"),
              "\"C:\\Tools\\viewer.exe\" C:\\Web\\index.htm");
    EXPECT_EQ(qm::ProgramCommandLine("C:\\Program Files\\v.exe", "C:\\My Pages\\a.htm"),
              "\"C:\\Program Files\\v.exe\" \"C:\\My Pages\\a.htm\"");
    EXPECT_EQ(qm::ProgramCommandLine("C:\\Tools\\ftp.exe", ""), "\"C:\\Tools\\ftp.exe\"");
}

TEST(CommentText, MarkersAroundTheTextUnchanged) {
    EXPECT_EQ(qm::CommentText("Hello"), "<!--Hello-->");
    EXPECT_EQ(qm::CommentText("   "), "<!--   -->");
}

}  // namespace
