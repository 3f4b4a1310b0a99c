// The configuration file object over the system's profile functions: the
// reading rules, what a write leaves in the file, and refused writes.
#include <windows.h>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "app/DocumentFile.h"
#include "config/IniFile.h"
#include "config/IniValues.h"

namespace qmtest {
namespace {

using qm::TIniFile;

class IniFileTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = qm::IniFilePath(dir.Path());
    TIniFile ini{path};
};

TEST_F(IniFileTest, NumbersHexadecimalDecimalAndNotANumber) {
    WriteBytes(path,
               "[Memo]\r\n"
               "tagcolor=0x80\r\n"
               "filecolor=$80\r\n"
               "comcolor=maroon\r\n"
               "size=\r\n"
               "other=-12\r\n");
    EXPECT_EQ(ini.ReadInt("Memo", "tagcolor", 5), 128);
    EXPECT_EQ(ini.ReadInt("Memo", "filecolor", 5), 128);
    EXPECT_EQ(ini.ReadInt("Memo", "comcolor", 8421504), 8421504);
    EXPECT_EQ(ini.ReadInt("Memo", "size", 8), 8);
    EXPECT_EQ(ini.ReadInt("Memo", "other", 8), -12);
    EXPECT_EQ(ini.ReadInt("Memo", "absent", 33), 33);
    EXPECT_EQ(ini.ReadInt("Nothing", "size", 34), 34);
}

TEST_F(IniFileTest, SectionsAndKeysMatchWithoutRegardToCase) {
    WriteBytes(path, "[memo]\r\nTAGCOLOR=255\r\n[APPS]\r\nftp=C:\\ftp.exe\r\n");
    EXPECT_EQ(ini.ReadInt("Memo", "tagcolor", 128), 255);
    EXPECT_EQ(ini.ReadInt("Memo", "Tagcolor", 128), 255);
    EXPECT_EQ(ini.ReadText("Apps", "Ftp", ""), "C:\\ftp.exe");
}

TEST_F(IniFileTest, FlagsAreYesForAnyNumberButZero) {
    WriteBytes(path, "[Memo]\r\nusetemp=2\r\ntempstart=0\r\nempty=\r\nword=yes\r\n");
    EXPECT_TRUE(ini.ReadFlag("Memo", "usetemp", false));
    EXPECT_FALSE(ini.ReadFlag("Memo", "tempstart", true));
    EXPECT_TRUE(ini.ReadFlag("Memo", "empty", true));
    EXPECT_FALSE(ini.ReadFlag("Memo", "empty", false));
    EXPECT_TRUE(ini.ReadFlag("Memo", "word", true));
    EXPECT_TRUE(ini.ReadFlag("Memo", "absent", true));
}

TEST_F(IniFileTest, TextsEmptyAgainstMissingBlanksQuotesAndTheLengthLimit) {
    const std::string longValue(1500, 'v');
    WriteBytes(path, "[Memo]\r\nfont=\r\nquoted=  \"Courier New\"  \r\nsingle='a b'\r\nlong=" + longValue +
                         "\r\n[Apps]\r\nbrow= C:\\Program Files\\b.exe \r\n");
    EXPECT_EQ(ini.ReadText("Memo", "font", "MS Sans Serif"), "");
    EXPECT_EQ(ini.ReadText("Memo", "absent", "MS Sans Serif"), "MS Sans Serif");
    EXPECT_EQ(ini.ReadText("Memo", "quoted", ""), "Courier New");
    EXPECT_EQ(ini.ReadText("Memo", "single", ""), "a b");
    EXPECT_EQ(ini.ReadText("Memo", "long", ""), longValue.substr(0, 1023));
    EXPECT_EQ(ini.ReadText("Apps", "brow", ""), "C:\\Program Files\\b.exe");
    // No file at all reads as the defaults and makes none.
    TIniFile missing(qm::IniFilePath(dir.File("nowhere")));
    EXPECT_EQ(missing.ReadText("Memo", "font", "MS Sans Serif"), "MS Sans Serif");
    EXPECT_EQ(missing.ReadInt("Memo", "size", 8), 8);
    EXPECT_FALSE(FileExists(dir.File("nowhere")));
}

TEST_F(IniFileTest, WritesReplaceInPlaceAndAppendKeysAndSections) {
    WriteBytes(path, "; kept\r\n[Memo]\r\ntagcolor=1\r\nmine=kept\r\n\r\n[Other]\r\nx=1\r\n");
    ini.WriteInt("Memo", "TagColor", 255);
    ini.WriteFlag("memo", "usetemp", false);
    ini.WriteText("Apps", "Ftp", "C:\\f.exe");
    EXPECT_EQ(ReadBytes(path).find("; kept\r\n[Memo]\r\n"), 0u);
    EXPECT_EQ(ini.ReadInt("Memo", "tagcolor", 0), 255);
    EXPECT_FALSE(ini.ReadFlag("Memo", "usetemp", true));
    EXPECT_EQ(ini.ReadText("Memo", "mine", ""), "kept");
    EXPECT_EQ(ini.ReadText("Other", "x", ""), "1");
    EXPECT_EQ(ini.ReadText("Apps", "Ftp", ""), "C:\\f.exe");
    const std::string bytes = ReadBytes(path);
    // The replaced key keeps its place; the new one follows the section's keys.
    EXPECT_LT(bytes.find("=255"), bytes.find("mine=kept"));
    EXPECT_LT(bytes.find("mine=kept"), bytes.find("usetemp=0"));
    EXPECT_LT(bytes.find("usetemp=0"), bytes.find("[Other]"));
    EXPECT_LT(bytes.find("[Other]"), bytes.find("[Apps]"));
    EXPECT_EQ(bytes.find("tagcolor=1\r"), std::string::npos);
}

TEST_F(IniFileTest, AFirstWriteCreatesTheFile) {
    ASSERT_FALSE(FileExists(path));
    ini.WriteInt("Memo", "size", 12);
    ini.WriteText("Memo", "font", "");
    EXPECT_EQ(ini.ReadInt("Memo", "size", 8), 12);
    EXPECT_EQ(ini.ReadText("Memo", "font", "x"), "");
    const std::string bytes = ReadBytes(path);
    EXPECT_NE(bytes.find("[Memo]"), std::string::npos);
    EXPECT_NE(bytes.find("size=12"), std::string::npos);
}

// The message names the file as the program spelled it.
void ExpectRefused(TIniFile& ini, const std::string& path) {
    try {
        ini.WriteInt("Memo", "size", 12);
        FAIL() << "the write was not refused";
    } catch (const qm::IniWriteError& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
}

TEST_F(IniFileTest, AReadOnlyFileIsRefusedAndLeftAlone) {
    const std::string old = "[Memo]\r\nsize=8\r\n";
    WriteBytes(path, old);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    ExpectRefused(ini, path);
    EXPECT_THROW(ini.WriteText("Apps", "Ftp", "x"), qm::IniWriteError);
    EXPECT_THROW(ini.WriteFlag("Memo", "usetemp", true), qm::IniWriteError);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(path), old);
}

TEST_F(IniFileTest, AFolderInThePlaceOfTheFileIsRefused) {
    ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    ExpectRefused(ini, path);
    EXPECT_EQ(CountEntries(path), 0);
    // Reading it gives the defaults.
    EXPECT_EQ(ini.ReadInt("Memo", "size", 8), 8);
}

TEST_F(IniFileTest, ADiskFullWhileTheFileIsReplacedIsRefusedAndLeavesItWhole) {
    const std::string old = "[Memo]\r\nsize=8\r\n[Mine]\r\n" + std::string(100000, 'x') + "=1\r\n";
    WriteBytes(path, old);
    qm::DocumentFileTestHooks full;
    full.failWriteNumber = 1;
    qm::SetDocumentFileTestHooks(full);
    EXPECT_THROW(ini.WriteInt("Memo", "size", 12), qm::IniWriteError);
    qm::SetDocumentFileTestHooks({});
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(CountEntries(dir.Path()), 1);
}

TEST_F(IniFileTest, AFileInAMissingFolderIsRefused) {
    const std::string nowhere = qm::IniFilePath(dir.File("missing"));
    TIniFile missing(nowhere);
    ExpectRefused(missing, nowhere);
}

}  // namespace
}  // namespace qmtest
