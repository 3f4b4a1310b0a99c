// The real quillmere.exe and its options dialog, driven from outside as a
// user would: the Options menu by its access key, the message boxes, a box
// ticked, Close pressed by its caption, and the files it writes read byte
// for byte; the keyboard inside the dialog; a document painted in the
// stored tag colour.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "RunningProgram.h"
#include "TestSupport.h"
#include "resources/resource.h"

namespace {

using qmtest::RunningProgram;
using qmtest::SendWithTimeout;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kStepTimeoutMs = 5000;

class OptionsE2E : public ::testing::Test {
protected:
    std::string IniPath() const { return dir_.Path() + "/quillmere.ini"; }
    std::string TemplatePath() const { return dir_.File("temp.htm"); }

    void Start(const std::vector<std::string>& arguments = {}) {
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH), arguments, dir_.Path());
        qmtest::WaitUntil(
            [&] {
                main_ = program_->FindWindowByCaption("Quillmere");
                if (main_ && !qmtest::FindChild(main_, WC_TABCONTROLA)) main_ = nullptr;
                return main_ || !program_->Running();
            },
            kStartTimeoutMs);
        ASSERT_NE(main_, nullptr) << "no main window";
    }

    // A message box of the program (caption "Quillmere"), and its text.
    HWND WaitForBox() const { return program_->WaitForWindow("Quillmere", kStepTimeoutMs, "#32770"); }
    static std::string BoxText(HWND box) {
        HWND label = qmtest::FindChild(box, "Static", [](HWND s) { return !qmtest::TextOf(s).empty(); });
        return label ? qmtest::TextOf(label) : std::string();
    }
    // Answers the box with the message `text` by its OK button.
    void Acknowledge(const std::string& text) {
        HWND box = WaitForBox();
        ASSERT_NE(box, nullptr) << "no message: " << text;
        EXPECT_EQ(BoxText(box), text);
        ASSERT_TRUE(RunningProgram::ClickButton(box, "OK"));
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(box, kStepTimeoutMs));
    }

    // Options through the menu bar's access key; the dialog, once shown.
    HWND OpenOptions(const std::string& expectedMessage = "") {
        qmtest::PressKey(main_, 'O', true);
        if (!expectedMessage.empty()) {
            Acknowledge(expectedMessage);
            if (HasFatalFailure()) return nullptr;
        }
        HWND options = program_->WaitForWindow("Options", kStepTimeoutMs);
        EXPECT_NE(options, nullptr) << "no options dialog";
        return options;
    }

    static HWND Control(HWND dialog, int id) { return GetDlgItem(dialog, id); }
    static bool Checked(HWND box) { return SendWithTimeout(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
    // Waits until the control `id` of the dialog has the keyboard focus.
    static bool WaitForFocus(HWND dialog, int id) {
        return qmtest::WaitUntil([&] { return qmtest::FocusOf(dialog) == Control(dialog, id); }, kStepTimeoutMs);
    }

    qmtest::TempDir dir_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

// Pixels of exactly `color` in a window of another process as the screen
// shows it, within the first `height` rows.
int CountColour(HWND window, COLORREF color, int height) {
    RECT client;
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    // The screen's own picture: another process's window gives none.
    HDC screen = GetDC(nullptr);
    if (!screen) return -1;
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, height);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, client.right, height, screen, origin.x, origin.y, SRCCOPY);
    int count = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < client.right; ++x) count += GetPixel(memory, x, y) == color ? 1 : 0;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return count;
}

TEST_F(OptionsE2E, FirstUseTickCloseAndTheFilesWritten) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND options = OpenOptions("Couldn`t find: " + TemplatePath());
    ASSERT_NE(options, nullptr);
    RECT outer;
    GetWindowRect(options, &outer);
    EXPECT_EQ(outer.right - outer.left, 409);
    EXPECT_EQ(outer.bottom - outer.top, 309);
    // The Template page, both boxes ticked.
    HWND tempStart = Control(options, IDC_OPT_TEMPSTART);
    ASSERT_NE(tempStart, nullptr);
    EXPECT_TRUE(IsWindowVisible(tempStart));
    EXPECT_TRUE(Checked(tempStart));
    EXPECT_TRUE(Checked(Control(options, IDC_OPT_USETEMP)));
    // Clicking a label leaves its box alone.
    SendWithTimeout(Control(options, IDC_OPT_TEMPSTART_LABEL), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    SendWithTimeout(Control(options, IDC_OPT_TEMPSTART_LABEL), WM_LBUTTONUP, 0, 0);
    EXPECT_TRUE(Checked(tempStart));

    PostMessageA(tempStart, BM_CLICK, 0, 0);
    ASSERT_TRUE(qmtest::WaitUntil([&] { return !Checked(tempStart); }, kStepTimeoutMs));
    EXPECT_FALSE(qmtest::FileExists(IniPath()));
    ASSERT_TRUE(RunningProgram::ClickButton(options, "&Close"));
    ASSERT_NO_FATAL_FAILURE(
        Acknowledge("Since the " + TemplatePath() + " is missing, Quillmere will make it for you :)"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(options, kStepTimeoutMs));
    std::string ini = qmtest::ReadBytes(IniPath());
    for (size_t at; (at = ini.find("\r\n\r\n")) != std::string::npos;) ini.erase(at, 2);
    EXPECT_EQ(ini,
              "[Memo]\r\ntagcolor=128\r\nfilecolor=8421504\r\ncomcolor=8421504\r\nusetemp=1\r\ntempstart=0\r\n"
              "font=MS Sans Serif\r\nsize=8\r\n[Apps]\r\nFtp=\r\nbrow=\r\n");
    EXPECT_EQ(qmtest::ReadBytes(TemplatePath()), "");

    // The next start makes no Untitled document.
    SendWithTimeout(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program_->WaitForExit(kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(Start());
    Sleep(300);
    EXPECT_EQ(SendWithTimeout(qmtest::FindChild(main_, WC_TABCONTROLA), TCM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(OptionsE2E, TheKeyboardDrivesTheDialog) {
    qmtest::WriteBytes(TemplatePath(), "tpl\r\n");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND options = OpenOptions();
    ASSERT_NE(options, nullptr);
    auto press = [&](WORD key, bool alt = false) { qmtest::PressKey(qmtest::FocusOf(options), key, alt); };

    // Tab from the template through the boxes (their labels are no stops).
    ASSERT_TRUE(WaitForFocus(options, IDC_OPT_TEMPLATE));
    EXPECT_TRUE(qmtest::WaitUntil(
        [&] { return qmtest::TextOf(Control(options, IDC_OPT_TEMPLATE)) == "tpl\r\n"; }, kStepTimeoutMs));
    press(VK_TAB);
    ASSERT_TRUE(WaitForFocus(options, IDC_OPT_USETEMP));
    press(VK_SPACE);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return !Checked(Control(options, IDC_OPT_USETEMP)); }, kStepTimeoutMs));
    press(VK_TAB);
    EXPECT_TRUE(WaitForFocus(options, IDC_OPT_TEMPSTART));
    press(VK_TAB);
    EXPECT_TRUE(WaitForFocus(options, IDC_OPT_CLOSE));
    // A label's access key takes the focus to its box.
    press('U', true);
    EXPECT_TRUE(WaitForFocus(options, IDC_OPT_USETEMP));

    // To the notebook, and one page to the left: "Color/Font".
    press(VK_TAB, false);
    press(VK_TAB, false);
    press(VK_TAB, false);
    ASSERT_TRUE(WaitForFocus(options, IDC_OPT_TABS));
    press(VK_LEFT);
    HWND sample = Control(options, IDC_OPT_SAMPLE);
    ASSERT_TRUE(qmtest::WaitUntil(
        [&] { return IsWindowVisible(sample) && !IsWindowVisible(Control(options, IDC_OPT_TEMPLATE)); },
        kStepTimeoutMs));
    press(VK_TAB);
    ASSERT_TRUE(WaitForFocus(options, IDC_OPT_SAMPLE));
    // Coming in by Tab selects nothing there: the tags show in maroon.
    EXPECT_TRUE(qmtest::WaitUntil([&] { return CountColour(sample, RGB(128, 0, 0), 40) > 0; }, kStepTimeoutMs));
    // Return is a new line in the sample, not Close.
    const std::string before = qmtest::TextOf(sample);
    press(VK_RETURN);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::TextOf(sample).size() == before.size() + 2; }, kStepTimeoutMs));
    EXPECT_TRUE(IsWindowVisible(options));

    // The colour and font buttons by their access keys; their dialogs,
    // cancelled by Escape, fill nothing again: the box stays unticked.
    for (const auto& [key, button] : {std::pair<WORD, int>{'T', IDC_OPT_TAGCOLOR}, {'F', IDC_OPT_FONT}}) {
        press(key, true);
        HWND own = nullptr;
        ASSERT_TRUE(qmtest::WaitUntil(
            [&] {
                for (HWND window : program_->Windows()) {
                    if (GetWindow(window, GW_OWNER) == options) own = window;
                }
                return own != nullptr;
            },
            kStepTimeoutMs))
            << "no dialog for the button " << button;
        HWND focus = qmtest::FocusOf(own);
        qmtest::PressKey(focus && IsChild(own, focus) ? focus : own, VK_ESCAPE);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(own, kStepTimeoutMs));
        EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::FocusOf(options) == Control(options, button); },
                                      kStepTimeoutMs));
        Sleep(300);
        EXPECT_FALSE(Checked(Control(options, IDC_OPT_USETEMP)));
    }

    // Escape hides the dialog and stores nothing.
    press(VK_ESCAPE);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(options, kStepTimeoutMs));
    EXPECT_FALSE(qmtest::FileExists(IniPath()));
    EXPECT_EQ(qmtest::ReadBytes(TemplatePath()), "tpl\r\n");

    // Back again: the stored values, on the page last shown; Close by its
    // access key stores them.
    options = OpenOptions();
    ASSERT_NE(options, nullptr);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Checked(Control(options, IDC_OPT_USETEMP)); }, kStepTimeoutMs));
    EXPECT_TRUE(IsWindowVisible(Control(options, IDC_OPT_SAMPLE)));
    press('C', true);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(options, kStepTimeoutMs));
    EXPECT_NE(qmtest::ReadBytes(IniPath()).find("usetemp=1\r\n"), std::string::npos);
    EXPECT_EQ(qmtest::ReadBytes(TemplatePath()), "tpl\r\n");
}

TEST_F(OptionsE2E, TheStoredTagColourPaintsTheDocument) {
    qmtest::WriteBytes(IniPath(), "[memo]\r\nTAGCOLOR=$FF\r\n");
    qmtest::WriteBytes(dir_.File("page.htm"), "<b>bold</b>\r\n");
    ASSERT_NO_FATAL_FAILURE(Start({"page.htm"}));
    HWND editor = nullptr;
    ASSERT_TRUE(qmtest::WaitUntil(
        [&] {
            editor = qmtest::FindChild(main_, "Edit", [](HWND edit) {
                return IsWindowVisible(edit) && !(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
            });
            return editor != nullptr;
        },
        kStepTimeoutMs));
    EXPECT_TRUE(qmtest::WaitUntil([&] { return CountColour(editor, RGB(255, 0, 0), 20) > 0; }, kStepTimeoutMs));
    EXPECT_EQ(CountColour(editor, RGB(128, 0, 0), 20), 0);
}

}  // namespace
