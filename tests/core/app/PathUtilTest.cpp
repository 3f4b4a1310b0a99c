#include "app/PathUtil.h"

#include <gtest/gtest.h>

namespace {

TEST(PathUtil, TabNameIsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(qm::TabNameFromPath("C:\\Web\\img\\logo.gif"), "logo.gif");
    EXPECT_EQ(qm::TabNameFromPath("index.htm"), "index.htm");
    EXPECT_EQ(qm::TabNameFromPath("C:/Web/index.htm"), "C:/Web/index.htm");
    EXPECT_EQ(qm::TabNameFromPath("C:\\Web\\"), "");
    EXPECT_EQ(qm::TabNameFromPath(""), "");
}

TEST(PathUtil, ConfigDirOfADriveRootKeepsTheDriveOnly) {
    EXPECT_EQ(qm::ConfigDirFromCurrentDir("C:\\"), "C:");
    EXPECT_EQ(qm::ConfigDirFromCurrentDir("C:\\Web"), "C:\\Web");
    EXPECT_EQ(qm::ConfigDirFromCurrentDir("D:\\ab"), "D:\\ab");
    EXPECT_EQ(qm::ConfigDirFromCurrentDir("C:\\") + "/quillmere.ini", "C:/quillmere.ini");
}

TEST(PathUtil, CommandLineArgumentWithoutBackslashIsTakenFromConfigDir) {
    EXPECT_EQ(qm::CommandLineDocumentPath("C:\\Web", "index.htm"), "C:\\Web\\index.htm");
    EXPECT_EQ(qm::CommandLineDocumentPath("C:", "index.htm"), "C:\\index.htm");
    // One with a backslash is used unchanged, even when it is relative.
    EXPECT_EQ(qm::CommandLineDocumentPath("C:\\Web", "sub\\index.htm"), "sub\\index.htm");
    EXPECT_EQ(qm::CommandLineDocumentPath("C:\\Web", "D:\\x\\a.htm"), "D:\\x\\a.htm");
}

}  // namespace
