// The about box: its size, the icon and title at every showing, OK, and the
// links handing the shell exactly their address.
#include <windows.h>

#include <gtest/gtest.h>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/AboutForm.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Window.h"

namespace {

struct TextSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK MatchChildText(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<TextSearch*>(data);
    if (qm::WindowText(child) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND FindChildByText(HWND parent, const char* text) {
    TextSearch search{text, nullptr};
    EnumChildWindows(parent, MatchChildText, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Click(HWND control) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    qmtest::PumpFor(100);
}

TEST(AboutBox, SizeTitleAndCaption) {
    qm::TForm5 about(nullptr);
    RECT client{};
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, 413);
    EXPECT_EQ(client.bottom, 235);
    EXPECT_EQ(qm::WindowText(about.Handle()), "About");
    ASSERT_TRUE(about.GradientCaption1);
    EXPECT_TRUE(about.GradientCaption1->Attached());
    EXPECT_FALSE(GetWindowLongPtrA(about.Handle(), GWL_STYLE) & WS_THICKFRAME);
}

TEST(AboutBox, ShownTwiceShowsTheSameIconAndTitle) {
    qm::TForm5 about(nullptr);
    const HWND window = about.Handle();
    about.Show();
    qmtest::PumpFor(100);
    EXPECT_TRUE(about.Visible());
    EXPECT_EQ(about.ProductName(), "Quillmere");
    const HWND image = GetDlgItem(window, IDC_ABOUT_IMAGE1);
    const LRESULT icon = SendMessageA(image, STM_GETICON, 0, 0);
    EXPECT_NE(icon, 0);
    // OK, by its caption, hides the box; it is not destroyed.
    const HWND ok = FindChildByText(window, "OK");
    ASSERT_TRUE(ok);
    SendMessageA(ok, BM_CLICK, 0, 0);
    qmtest::PumpFor(50);
    EXPECT_FALSE(about.Visible());
    EXPECT_TRUE(IsWindow(window));
    about.Show();
    qmtest::PumpFor(100);
    EXPECT_EQ(about.Handle(), window);
    EXPECT_EQ(about.ProductName(), "Quillmere");
    EXPECT_EQ(SendMessageA(image, STM_GETICON, 0, 0), icon);
    // Escape (IDCANCEL from the dialog manager) closes it like OK.
    SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    EXPECT_FALSE(about.Visible());
}

TEST(AboutBox, LinksHandTheShellExactlyTheAddress) {
    qm::TForm5 about(nullptr);
    about.Show();
    qmtest::PumpFor(100);
    const std::string web = qm::WindowText(GetDlgItem(about.Handle(), IDC_ABOUT_LABEL1));
    const std::string mail = qm::WindowText(GetDlgItem(about.Handle(), IDC_ABOUT_LABEL2));
    EXPECT_NE(web.find(".example.org"), std::string::npos);
    EXPECT_NE(mail.find("@"), std::string::npos);
    EXPECT_NE(mail.find("example.org"), std::string::npos);
    qmtest::ScriptedDialogs dialogs;
    dialogs.Expect(qm::DialogKind::ShellOpen, web, qm::DialogAnswer::Ok);
    dialogs.Expect(qm::DialogKind::ShellOpen, "mailto:" + mail, qm::DialogAnswer::Ok);
    Click(GetDlgItem(about.Handle(), IDC_ABOUT_LABEL1));
    Click(GetDlgItem(about.Handle(), IDC_ABOUT_LABEL2));
    EXPECT_TRUE(dialogs.AllAnswered());
    const auto opened = dialogs.Texts(qm::DialogKind::ShellOpen);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0], web);
    EXPECT_EQ(opened[1], "mailto:" + mail);
    EXPECT_LE(opened[1].size(), 79u);
    EXPECT_LE(opened[0].size(), 79u);
}

}  // namespace

namespace {

// Enter and Escape, as real key events through the program's message loop.
TEST(AboutBox, EnterAndEscapeCloseIt) {
    qm::TForm5 about(nullptr);
    for (WORD key : {WORD(VK_ESCAPE), WORD(VK_RETURN)}) {
        about.Show();
        qmtest::PumpFor(200);
        SetFocus(GetDlgItem(about.Handle(), IDOK));
        INPUT input[2]{};
        input[0].type = input[1].type = INPUT_KEYBOARD;
        input[0].ki.wVk = input[1].ki.wVk = key;
        input[1].ki.dwFlags = KEYEVENTF_KEYUP;
        SendInput(2, input, sizeof(INPUT));
        for (int i = 0; i < 20 && about.Visible(); ++i) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (qm::Application().IsModelessMessage(msg)) continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            Sleep(50);
        }
        EXPECT_FALSE(about.Visible()) << "key " << key;
    }
}

}  // namespace
