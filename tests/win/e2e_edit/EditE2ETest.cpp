// The real quillmere.exe driven from outside as a user drives it: the Edit
// menu and the find dialog by their keys, the editor's menu by a right
// click, tool bar buttons by clicks, and the browser and FTP commands with
// the recorder program configured as browser and FTP program.
#include "EditE2EFixture.h"
#include "resources/resource.h"

namespace {

using namespace qmtest;

TEST_F(EditE2E, EditMenuByItsAccessKeys) {
    qmtest::WriteBytes(dir_.File("page.htm"), "hello world");
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);

    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "Se&lect All"));
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::make_pair(0, 11); }, kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Copy"));
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Delete"));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor).empty(); }, kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Paste"));
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Paste"));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "hello worldhello world"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Undo"));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "hello world"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);
    SendWithTimeout(editor, EM_SETSEL, 0, 5);
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "Cu&t"));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == " world"; }, kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Repaint"));
    EXPECT_TRUE(SendWithTimeout(editor, EM_GETMODIFY, 0, 0));

    // Word wrap: a new native control with the same text, mark and focus.
    SendWithTimeout(editor, EM_SETSEL, 1, 3);
    ASSERT_TRUE(GetWindowLongPtrA(editor, GWL_STYLE) & ES_AUTOHSCROLL);
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&WordWrap"));
    ASSERT_TRUE(WaitUntil([&] { return Editor() && Editor() != editor; }, kStepTimeoutMs));
    HWND wrapped = Editor();
    EXPECT_FALSE(GetWindowLongPtrA(wrapped, GWL_STYLE) & WS_HSCROLL);
    EXPECT_FALSE(GetWindowLongPtrA(wrapped, GWL_STYLE) & ES_AUTOHSCROLL);
    EXPECT_EQ(qmtest::TextOf(wrapped), " world");
    EXPECT_EQ(Selection(wrapped), std::make_pair(1, 3));
    EXPECT_TRUE(SendWithTimeout(wrapped, EM_GETMODIFY, 0, 0));
    EXPECT_EQ(qmtest::FocusOf(main_), wrapped) << "typing goes on in the editor";
    // Typed keys reach the new control.
    SendWithTimeout(wrapped, EM_SETSEL, 1, 1);
    RunningProgram::TypeChars(wrapped, "X");
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(wrapped) == " Xworld"; }, kStepTimeoutMs))
        << qmtest::TextOf(wrapped);
}

TEST_F(EditE2E, FindDialogWorksByItsKeys) {
    qmtest::WriteBytes(dir_.File("page.htm"), "<td>a</td>\r\n<TD>b</TD>\r\n");
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    HWND editor = Editor();
    ASSERT_NO_FATAL_FAILURE(Choose("&Edit", "&Find..."));
    HWND find = program_->WaitForWindow("Find", kStepTimeoutMs, "#32770");
    ASSERT_NE(find, nullptr) << "no find dialog";
    HWND what = GetDlgItem(find, edt1);
    ASSERT_NE(what, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return qmtest::FocusOf(find) == what; }, kStepTimeoutMs));
    RunningProgram::TypeChars(what, "</td>");
    // Enter presses Find Next: the dialog's keys work in the program's loop.
    PressKey(what, VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::make_pair(5, 10); }, kStepTimeoutMs))
        << Selection(editor).first << " " << Selection(editor).second;
    EXPECT_EQ(qmtest::FocusOf(main_), editor) << "the hit is where the user types next";
    // Find Next goes on from the hit (letter case does not count).
    ASSERT_TRUE(RunningProgram::ClickButton(find, "&Find Next"));
    EXPECT_TRUE(WaitUntil([&] { return Selection(editor) == std::make_pair(17, 22); }, kStepTimeoutMs));
    // At the end: the miss is reported, nothing wraps round.
    ASSERT_TRUE(RunningProgram::ClickButton(find, "&Find Next"));
    ASSERT_NO_FATAL_FAILURE(ExpectMessage("\"</td>\" not found!"));
    EXPECT_EQ(Selection(editor), std::make_pair(17, 22));
    // Escape closes the dialog.
    SetForegroundWindow(find);
    HWND focus = qmtest::FocusOf(find);
    PressKey(focus && (focus == find || IsChild(find, focus)) ? focus : what, VK_ESCAPE);
    EXPECT_TRUE(RunningProgram::WaitForWindowGone(find, kStepTimeoutMs)) << "Escape did not close the dialog";
}

TEST_F(EditE2E, EditorMenuByARightClick) {
    qmtest::WriteBytes(dir_.File("page.htm"), "say word");
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    HWND editor = Editor();
    SendWithTimeout(editor, EM_SETSEL, 4, 8);
    RightClick(editor);
    ASSERT_TRUE(WaitUntil([&] { return program_->MenuOpen(); }, kStepTimeoutMs)) << "no menu on a right click";
    // Functions, Frames, Picture, Table, List, Font; in Font: <FONT>,
    // <SMALL>, <BIG>, <B>.
    MenuKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "say <B>"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);
    EXPECT_EQ(Selection(editor), std::make_pair(7, 7));
    EXPECT_TRUE(SendWithTimeout(editor, EM_GETMODIFY, 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return !program_->MenuOpen(); }, kStepTimeoutMs));

    // Functions > Delete on a selection.
    SendWithTimeout(editor, EM_SETSEL, 0, 4);
    RightClick(editor);
    ASSERT_TRUE(WaitUntil([&] { return program_->MenuOpen(); }, kStepTimeoutMs));
    MenuKeys({VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN});  // Copy, Cut, Paste, Delete: up from the first is the last
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "<B>"; }, kStepTimeoutMs)) << qmtest::TextOf(editor);

    // With no document the menu does not open.
    SendWithTimeout(editor, EM_SETMODIFY, FALSE, 0);
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "&Close"));
    ASSERT_TRUE(WaitUntil([&] { return TabCount() == 0; }, kStepTimeoutMs));
    RightClick(Prototype());
    Sleep(800);
    EXPECT_FALSE(program_->MenuOpen());
}

TEST_F(EditE2E, ToolBarButtonsByClicks) {
    DriveCFiles files;
    files.Folder("C:\\Web");
    files.Folder("C:\\Web\\img");
    files.File("C:\\Web\\img\\logo.gif", "GIF89a");
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_EQ(TabCount(), 1);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);

    // Print on the new, empty document.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_FILE_PRINT));
    ASSERT_NO_FATAL_FAILURE(ExpectMessage("It`s nothing to print in Untitled"));

    // Make a comment: the prompt, its 255 characters, Enter for OK.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_COMMENT));
    HWND prompt = WaitForBox("Comment....");
    ASSERT_NE(prompt, nullptr) << "no comment prompt";
    EXPECT_NE(qmtest::FindChild(prompt, "Static", [](HWND s) { return qmtest::TextOf(s) == "Type the comment here"; }),
              nullptr);
    HWND line = qmtest::FindChild(prompt, "Edit");
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return qmtest::FocusOf(prompt) == line; }, kStepTimeoutMs));
    RunningProgram::TypeChars(line, std::string(300, 'c'));
    EXPECT_EQ(qmtest::TextOf(line).size(), 255u);
    SendWithTimeout(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Hello"));
    PressKey(line, VK_RETURN);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(prompt, kStepTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "<!--Hello-->"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);
    EXPECT_TRUE(WaitUntil([&] { return qmtest::FocusOf(main_) == editor; }, kStepTimeoutMs));

    // Colors: the colour dialog opens on black the first time.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_COLORS));
    HWND colors = WaitForBox("Color");
    ASSERT_NE(colors, nullptr) << "no colour dialog";
    ASSERT_TRUE(RunningProgram::ClickButton(colors, "OK"));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "<!--Hello-->#000000"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);

    // Get filename: only the name of the chosen file.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_FILENAME));
    HWND open = WaitForBox("Open");
    ASSERT_NE(open, nullptr) << "no file dialog";
    HWND name = qmtest::FindChild(open, "Edit", [](HWND e) { return IsWindowVisible(e) != FALSE; });
    ASSERT_NE(name, nullptr);
    SendWithTimeout(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("C:\\Web\\img\\logo.gif"));
    PressKey(name, VK_RETURN);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(open, kStepTimeoutMs));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "<!--Hello-->#000000logo.gif"; }, kStepTimeoutMs))
        << qmtest::TextOf(editor);

    // Copy, Cut and Paste.
    SendWithTimeout(editor, EM_SETSEL, 0, 12);
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_EDIT_CUT));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "#000000logo.gif"; }, kStepTimeoutMs));
    SendWithTimeout(editor, EM_SETSEL, 15, 15);
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_EDIT_PASTE));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "#000000logo.gif<!--Hello-->"; }, kStepTimeoutMs));
    SendWithTimeout(editor, EM_SETSEL, 0, 7);
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_EDIT_COPY));
    // Posted, so that it comes after the click (a sent message would come
    // first).
    PostMessageA(editor, EM_SETSEL, 0, 0);
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_EDIT_PASTE));
    EXPECT_TRUE(WaitUntil([&] { return qmtest::TextOf(editor) == "#000000#000000logo.gif<!--Hello-->"; },
                          kStepTimeoutMs))
        << qmtest::TextOf(editor);

    // Tags drops the editor's menu down.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_TAGS));
    EXPECT_TRUE(WaitUntil([&] { return program_->MenuOpen(); }, kStepTimeoutMs)) << "Tags showed no menu";
    MenuKeys({VK_ESCAPE, VK_ESCAPE});
    EXPECT_TRUE(WaitUntil([&] { return !program_->MenuOpen(); }, kStepTimeoutMs));
}

TEST_F(EditE2E, BrowserGetsTheSavedDocumentAndFtpNoArguments) {
    DriveCFiles files;
    files.Folder("C:\\Web");
    files.File("C:\\Web\\index.htm", "<p>\r\n");
    CreateDirectoryA(dir_.File("My Tools").c_str(), nullptr);
    const std::string browser = dir_.File("My Tools\\viewer.exe");  // found by the command-line rules
    const std::string ftp = dir_.File("ftp.exe");
    ASSERT_NO_FATAL_FAILURE(CopyRecorder(browser));
    ASSERT_NO_FATAL_FAILURE(CopyRecorder(ftp));
    ConfigurePrograms(browser, ftp);
    ASSERT_NO_FATAL_FAILURE(Start("C:\\Web\\index.htm"));
    EXPECT_TRUE(ToolButtonEnabled(ID_TB_BROWSER));
    EXPECT_TRUE(ToolButtonEnabled(ID_TB_FTP));

    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_BROWSER));
    auto lines = Recorded(browser, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" C:\\Web\\index.htm");

    ASSERT_NO_FATAL_FAILURE(Choose("&Run", "&FTP"));
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_FTP));
    const auto ftpLines = Recorded(ftp, 2);
    ASSERT_EQ(ftpLines.size(), 2u);
    EXPECT_EQ(ftpLines[0], "\"" + ftp + "\"") << "started with no arguments";
    EXPECT_EQ(ftpLines[1], ftpLines[0]);

    // Modified: the question first; Yes saves, then the browser shows it.
    HWND editor = Editor();
    SendWithTimeout(editor, EM_SETSEL, 3, 3);
    RunningProgram::TypeChars(editor, "x");
    ASSERT_NO_FATAL_FAILURE(Choose("&Run", "&Browser"));
    HWND confirm = WaitForBox("Confirm");
    ASSERT_NE(confirm, nullptr) << "no question for a modified document";
    EXPECT_EQ(MessageText(confirm), kQuestion);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&Yes"));
    lines = Recorded(browser, 2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "\"" + browser + "\" C:\\Web\\index.htm");
    EXPECT_EQ(qmtest::ReadBytes("C:\\Web\\index.htm"), "<p>x\r\n");

    // A new document: asked, then the save dialog, cancelled.
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "&New"));
    ASSERT_TRUE(WaitUntil([&] { return TabCount() == 2; }, kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_BROWSER));
    confirm = WaitForBox("Confirm");
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&Yes"));
    HWND save = WaitForBox("Save As");
    ASSERT_NE(save, nullptr) << "no save dialog";
    ASSERT_TRUE(RunningProgram::ClickButton(save, "Cancel"));
    ASSERT_NO_FATAL_FAILURE(ExpectMessage("The file wasn`t saved!"));
    EXPECT_EQ(Recorded(browser, 3).size(), 2u) << "the browser is not started";
}

TEST_F(EditE2E, APathWithBlanksReachesTheBrowserAsOneArgument) {
    DriveCFiles files;
    files.Folder("C:\\My Pages");
    files.File("C:\\My Pages\\a.htm", "<p>\r\n");
    const std::string browser = dir_.File("viewer.exe");
    ASSERT_NO_FATAL_FAILURE(CopyRecorder(browser));
    ConfigurePrograms(browser, "");
    ASSERT_NO_FATAL_FAILURE(Start("C:\\My Pages\\a.htm"));
    ASSERT_NO_FATAL_FAILURE(Choose("&Run", "&Browser"));
    const auto lines = Recorded(browser, 1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "\"" + browser + "\" \"C:\\My Pages\\a.htm\"");
}

TEST_F(EditE2E, BothCommandsAreOffWhenTheirPathsNameNoFile) {
    ConfigurePrograms(dir_.Path(), dir_.File("missing.exe"));  // a folder, and a file that is not there
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_FALSE(ToolButtonEnabled(ID_TB_BROWSER));
    EXPECT_FALSE(ToolButtonEnabled(ID_TB_FTP));
    // Clicks on the disabled buttons start nothing and ask nothing.
    ASSERT_NO_FATAL_FAILURE(ClickToolButton(ID_TB_BROWSER));
    Sleep(800);
    EXPECT_EQ(program_->FindWindowByCaption("Confirm"), nullptr);
}

}  // namespace
