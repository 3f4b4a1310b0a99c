// The real quillmere.exe started and driven from outside: the fixture of the
// end-to-end tests of editing.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "RunningProgram.h"
#include "TestSupport.h"

namespace qmtest {

inline constexpr DWORD kStartTimeoutMs = 20000;
inline constexpr DWORD kStepTimeoutMs = 6000;
inline constexpr char kQuestion[] = "You have to save the file first! Want to do it now, and open it in your browser?";

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

}  // namespace qmtest
