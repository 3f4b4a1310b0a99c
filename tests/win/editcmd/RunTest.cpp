// The browser preview and the FTP command on the main window made in this
// process, with the recorder program as browser and FTP program.
#include <windows.h>

#include <gtest/gtest.h>

#include "EditCmdSupport.h"
#include "MainFormFixture.h"
#include "resources/resource.h"

namespace {

using qm::DialogAnswer;
using qmtest::MainFormTest;

constexpr char kQuestion[] = "You have to save the file first! Want to do it now, and open it in your browser?";

class Run : public MainFormTest {
protected:
    Run() {
        qmtest::CopyRecorder(browser);
        qmtest::CopyRecorder(ftp);
        qmtest::WriteBytes(dir.File("quillmere.ini"), "[Apps]\r\nFtp=" + ftp + "\r\nbrow=" + browser + "\r\n");
    }
    std::vector<std::string> BrowserLines(size_t count) { return qmtest::RecordedLines(browser, count); }
    // Opens `path` (made with `text`) as the only document.
    void StartWithFile(const std::string& path, const std::string& text) {
        qmtest::WriteBytes(path, text);
        Start(path);
        ASSERT_EQ(TabCount(), 1);
    }

    const std::string browser = dir.File("viewer.exe");
    const std::string ftp = dir.File("ftp.exe");
};

TEST_F(Run, ASavedDocumentGoesToTheBrowserAtOnce) {
    const std::string page = dir.File("index.htm");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(page, "<p>\r\n"));
    Command(ID_TB_BROWSER);
    Command(ID_RUN_BROWSER);
    EXPECT_TRUE(dialogs.Requests().empty()) << "no question for a saved document";
    const auto lines = BrowserLines(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" " + page);
    EXPECT_EQ(lines[1], lines[0]) << "Run > Browser does the same";
}

TEST_F(Run, APathWithBlanksStaysOneArgument) {
    CreateDirectoryA(dir.File("My Pages").c_str(), nullptr);
    const std::string page = dir.File("My Pages\\a.htm");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(page, "<p>\r\n"));
    Command(ID_TB_BROWSER);
    const auto lines = BrowserLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" \"" + page + "\"");
}

TEST_F(Run, ATypedCharacterIsSeenAtOnceNotAtTheNextTick) {
    const std::string page = dir.File("index.htm");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(page, "old\r\n"));
    Form().Timer2Timer();
    ASSERT_TRUE(Form().FileSaved);
    Type("x");
    // No tick between the typing and the command.
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::Yes);
    Command(ID_TB_BROWSER);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(qmtest::ReadBytes(page), "xold\r\n") << "Yes saves to the document's path";
    const auto lines = BrowserLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" " + page);
}

TEST_F(Run, NoToTheQuestionStartsNothing) {
    const std::string page = dir.File("index.htm");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(page, "old\r\n"));
    Type("x");
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::No);
    Command(ID_RUN_BROWSER);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(qmtest::ReadBytes(page), "old\r\n");
    qmtest::PumpFor(300);
    EXPECT_FALSE(qmtest::FileExists(browser + ".log"));
    EXPECT_TRUE(Form().CurrentEditor().Modified());
}

TEST_F(Run, ANewDocumentIsAskedAboutAndACancelledSaveIsReported) {
    Start();
    ASSERT_EQ(TabNames(), "Untitled");
    // Not typed into: asked all the same.
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::No);
    Command(ID_TB_BROWSER);
    Type("<p>");
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog("");
    dialogs.ExpectMessage("The file wasn`t saved!");
    Command(ID_TB_BROWSER);
    EXPECT_TRUE(dialogs.AllAnswered());
    // Yes with a name chosen: saved there and shown.
    const std::string page = dir.File("new.htm");
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog(page);
    Command(ID_TB_BROWSER);
    EXPECT_EQ(qmtest::ReadBytes(page), "<p>");
    const auto lines = BrowserLines(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" " + page);
}

TEST_F(Run, WithNoDocumentThePreviewEndsInTheListError) {
    Start();
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(TabCount(), 0);
    dialogs.ExpectConfirm(kQuestion, DialogAnswer::Yes);
    dialogs.Expect(qm::DialogKind::Error, "List index out of bounds (-1)", DialogAnswer::Ok);
    Command(ID_TB_BROWSER);
    EXPECT_TRUE(dialogs.AllAnswered());
    qmtest::PumpFor(300);
    EXPECT_FALSE(qmtest::FileExists(browser + ".log"));
}

TEST_F(Run, TheFtpProgramStartsWithNoArguments) {
    Start();
    Command(ID_TB_FTP);
    Command(ID_RUN_FTP);
    const auto lines = qmtest::RecordedLines(ftp, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "\"" + ftp + "\"");
    EXPECT_EQ(lines[1], lines[0]);
    EXPECT_TRUE(dialogs.Requests().empty());
}

TEST_F(Run, AProgramPlantedBesideAFolderWithABlankIsNotRun) {
    CreateDirectoryA(dir.File("my tools").c_str(), nullptr);
    const std::string viewer = dir.File("my tools\\viewer.exe"), planted = dir.File("my.exe");
    qmtest::CopyRecorder(viewer);
    qmtest::CopyRecorder(planted);
    qmtest::WriteBytes(dir.File("quillmere.ini"), "[Apps]\r\nFtp=" + viewer + "\r\nbrow=" + viewer + "\r\n");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(dir.File("index.htm"), "<p>\r\n"));
    Command(ID_TB_BROWSER);
    Command(ID_TB_FTP);
    EXPECT_EQ(qmtest::RecordedLines(viewer, 2).size(), 2u);
    EXPECT_FALSE(qmtest::FileExists(planted + ".log"));
}

TEST_F(Run, AProgramThatCannotStartIsNotReported) {
    qmtest::WriteBytes(dir.File("quillmere.ini"), "[Apps]\r\nFtp=" + dir.File("gone.exe") + "\r\nbrow=" +
                                                      dir.File("gone.exe") + "\r\n");
    const std::string page = dir.File("index.htm");
    ASSERT_NO_FATAL_FAILURE(StartWithFile(page, "<p>\r\n"));
    Command(ID_TB_FTP);
    Command(ID_TB_BROWSER);
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_FALSE(Form().ToolBar1.IsEnabled(ID_TB_FTP)) << "a missing program disables its command";
    EXPECT_FALSE(Form().ToolBar1.IsEnabled(ID_TB_BROWSER));
}

}  // namespace
