// The real quillmere.exe driven from outside as a user drives it: the Edit
// menu and the find dialog by their keys, the editor's menu by a right
// click, tool bar buttons by clicks, and the browser and FTP commands with
// the recorder program configured as browser and FTP program.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TestSupport.h"
#include "resources/resource.h"

namespace {

using qmtest::PressKey;
using qmtest::RunningProgram;
using qmtest::SendWithTimeout;
using qmtest::WaitUntil;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kStepTimeoutMs = 6000;
constexpr char kQuestion[] = "You have to save the file first! Want to do it now, and open it in your browser?";

// Files on the prefix's drive C:, removed again at the end.
class DriveCFiles {
public:
    ~DriveCFiles() {
        for (auto it = files_.rbegin(); it != files_.rend(); ++it) DeleteFileA(it->c_str());
        for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) RemoveDirectoryA(it->c_str());
    }
    void Folder(const std::string& path) {
        if (CreateDirectoryA(path.c_str(), nullptr)) folders_.push_back(path);
    }
    void File(const std::string& path, const std::string& bytes) {
        qmtest::WriteBytes(path, bytes);
        files_.push_back(path);
    }

private:
    std::vector<std::string> folders_, files_;
};

class EditE2E : public ::testing::Test {
protected:
    // Starts the program in the temp folder (with `argument`, if any) and
    // waits for its main window.
    void Start(const std::string& argument = "") {
        std::vector<std::string> arguments;
        if (!argument.empty()) arguments.push_back(argument);
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH), arguments,
                                                    dir_.Path());
        HWND box = nullptr;
        WaitUntil(
            [&] {
                box = program_->FindWindowByCaption("Quillmere", "#32770");
                main_ = program_->FindWindowByCaption("Quillmere");
                if (main_ && !qmtest::FindChild(main_, WC_TABCONTROLA)) main_ = nullptr;
                return main_ || box || !program_->Running();
            },
            kStartTimeoutMs);
        ASSERT_EQ(box, nullptr) << "message at start: " << MessageText(box);
        ASSERT_NE(main_, nullptr) << "no main window";
        WaitUntil([&] { return Editor() != nullptr || TabCount() == 0; }, kStepTimeoutMs);
    }
    // The recorder as browser and FTP program, in the configuration file.
    void ConfigurePrograms(const std::string& browser, const std::string& ftp) {
        qmtest::WriteBytes(dir_.File("quillmere.ini"), "[Apps]\r\nFtp=" + ftp + "\r\nbrow=" + browser + "\r\n");
    }
    static void CopyRecorder(const std::string& path) {
        ASSERT_TRUE(CopyFileA(qmtest::WindowsPathFromUnix(QM_RECORDER_PATH).c_str(), path.c_str(), FALSE)) << path;
    }
    // The lines the recorder at `path` wrote, waiting for `count` of them.
    static std::vector<std::string> Recorded(const std::string& path, size_t count) {
        std::vector<std::string> lines;
        WaitUntil(
            [&] {
                lines.clear();
                if (!qmtest::FileExists(path + ".log")) return count == 0;
                std::string bytes;
                try {
                    bytes = qmtest::ReadBytes(path + ".log");
                } catch (const std::exception&) {
                    return false;
                }
                size_t from = 0;
                for (size_t nl; (nl = bytes.find('\n', from)) != std::string::npos; from = nl + 1) {
                    std::string line = bytes.substr(from, nl - from);
                    lines.push_back(line);
                }
                return lines.size() >= count;
            },
            kStepTimeoutMs);
        return lines;
    }

    static std::string MessageText(HWND box) {
        HWND label = qmtest::FindChild(box, "Static", [](HWND s) { return !qmtest::TextOf(s).empty(); });
        return label ? qmtest::TextOf(label) : std::string();
    }
    int TabCount() const {
        HWND tabs = qmtest::FindChild(main_, WC_TABCONTROLA);
        return tabs ? static_cast<int>(SendWithTimeout(tabs, TCM_GETITEMCOUNT, 0, 0)) : -1;
    }
    HWND ToolBar() const { return qmtest::FindChild(main_, TOOLBARCLASSNAMEA); }
    // The visible document editor (not the grey read-only prototype).
    HWND Editor() const {
        return qmtest::FindChild(main_, "Edit", [](HWND edit) {
            return IsWindowVisible(edit) && !(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
        });
    }
    HWND Prototype() const {
        return qmtest::FindChild(main_, "Edit", [](HWND edit) {
            return (GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY) != 0;
        });
    }
    static std::pair<int, int> Selection(HWND edit) {
        const LRESULT sel = SendWithTimeout(edit, EM_GETSEL, 0, 0);
        return {LOWORD(sel), HIWORD(sel)};
    }
    void Choose(const std::string& menu, const std::string& item) {
        ASSERT_NO_THROW(program_->ChooseMenuItem(main_, menu, item)) << menu << " > " << item;
    }
    // A click on the tool bar button of this command, where it lies.
    void ClickToolButton(int command) {
        HWND bar = ToolBar();
        ASSERT_NE(bar, nullptr);
        HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE,
                                     program_->ProcessId());
        ASSERT_NE(process, nullptr);
        void* remote = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        RECT rect{};
        SendWithTimeout(bar, TB_GETRECT, static_cast<WPARAM>(command), reinterpret_cast<LPARAM>(remote));
        SIZE_T read = 0;
        ReadProcessMemory(process, remote, &rect, sizeof rect, &read);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        CloseHandle(process);
        ASSERT_GT(rect.right, rect.left) << "no button " << command;
        POINT point{(rect.left + rect.right) / 2 - 2, (rect.top + rect.bottom) / 2};
        const LPARAM at = MAKELPARAM(point.x, point.y);
        // The mouse pointer really goes there: the tool bar follows it (hot
        // button, leaving) between the press and the release.
        ClientToScreen(bar, &point);
        SetCursorPos(point.x, point.y);
        PostMessageA(bar, WM_MOUSEMOVE, 0, at);
        PostMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(bar, WM_LBUTTONUP, 0, at);
    }
    bool ToolButtonEnabled(int command) const {
        return (SendWithTimeout(ToolBar(), TB_GETSTATE, static_cast<WPARAM>(command), 0) & TBSTATE_ENABLED) != 0;
    }
    // A right click in the editor's client area.
    static void RightClick(HWND window) {
        const LPARAM at = MAKELPARAM(20, 10);
        PostMessageA(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
        PostMessageA(window, WM_RBUTTONUP, 0, at);
    }
    // Presses keys one after the other in the program's open menu.
    void MenuKeys(const std::vector<WORD>& keys) {
        for (WORD key : keys) {
            PressKey(main_, key);
            Sleep(60);
        }
    }
    HWND WaitForBox(const std::string& caption) { return program_->WaitForWindow(caption, kStepTimeoutMs, "#32770"); }
    // Waits for a message box and checks its text, then presses OK.
    void ExpectMessage(const std::string& text) {
        HWND box = WaitForBox("Quillmere");
        ASSERT_NE(box, nullptr) << "no message: " << text;
        EXPECT_EQ(MessageText(box), text);
        ASSERT_TRUE(RunningProgram::ClickButton(box, "OK"));
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(box, kStepTimeoutMs));
    }

    qmtest::TempDir dir_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

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
