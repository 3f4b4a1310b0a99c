// The about box: its size, the icon and title at every showing, OK, the keys,
// the note and the credit picture as a user meets them, and the
// links handing the shell exactly their address.
#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "Pixels.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/AboutForm.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Gdi.h"
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

// Presses each key (down and up) through the system's input queue and runs
// the program's message loop for a while, as a user's keys would go.
void PressRealKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> input;
    for (WORD key : keys) {
        for (DWORD flags : {DWORD(0), DWORD(KEYEVENTF_KEYUP)}) {
            input.push_back(INPUT{INPUT_KEYBOARD, {}});
            input.back().ki = KEYBDINPUT{key, 0, flags, 0, 0};
        }
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)), input.size());
    for (int i = 0; i < 10; ++i) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (qm::Application().IsModelessMessage(msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(50);
    }
}

// The box as a user meets it: Return closes it at its first showing; what
// was typed into the note is gone at the next; the credit picture shows
// as drawn and the links are as wide as their addresses.
TEST(AboutBox, KeysNoteAndPictureAtEachShowing) {
    qm::TForm5 about(nullptr);
    const HWND memo = GetDlgItem(about.Handle(), IDC_ABOUT_MEMO1);
    about.Show();
    qmtest::PumpFor(200);
    const std::string note = qm::WindowText(memo);
    EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    PressRealKeys({VK_RETURN});
    EXPECT_FALSE(about.Visible());
    EXPECT_EQ(qm::WindowText(memo), note);

    about.Show();
    qmtest::PumpFor(200);
    SetFocus(memo);
    PressRealKeys({'X', 'Y'});
    EXPECT_NE(qm::WindowText(memo), note);
    SendMessageA(GetDlgItem(about.Handle(), IDOK), BM_CLICK, 0, 0);
    EXPECT_FALSE(about.Visible());

    about.Show();
    qmtest::PumpFor(200);
    EXPECT_EQ(qm::WindowText(memo), note);
    EXPECT_EQ(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(GetFocus(), GetDlgItem(about.Handle(), IDOK));

    for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_LABEL2}) {
        const HWND label = GetDlgItem(about.Handle(), id);
        const std::string text = qm::WindowText(label);
        qm::WindowDC dc(label);
        qm::SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(label, WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent);
        RECT client{};
        GetClientRect(label, &client);
        EXPECT_GE(client.right, extent.cx) << text;
        // ... and within the panel's frame.
        RECT bounds{}, panel{};
        GetWindowRect(label, &bounds);
        GetWindowRect(GetDlgItem(about.Handle(), IDC_ABOUT_PANEL), &panel);
        EXPECT_LT(bounds.left + extent.cx, panel.right - 1) << text;
    }

    const HWND picture = GetDlgItem(about.Handle(), IDC_ABOUT_PICTURE);
    qmtest::Pixels shown(picture);
    ASSERT_EQ(shown.Width(), 154);
    ASSERT_EQ(shown.Height(), 52);
    qm::Bitmap art(static_cast<HBITMAP>(
        LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_CREDIT), IMAGE_BITMAP, 0, 0, 0)));
    ASSERT_TRUE(art);
    qmtest::Pixels drawn(picture, [&](HDC dc) {
        qm::MemoryDC source(dc);
        qm::SelectedObject selected(source.Get(), art.Get());
        BitBlt(dc, 0, 0, 154, 52, source.Get(), 0, 0, SRCCOPY);
    });
    int differing = 0;
    for (int at = 0; at < 154 * 52; ++at) differing += shown.At(at % 154, at / 154) != drawn.At(at % 154, at / 154);
    EXPECT_EQ(differing, 0);

    PressRealKeys({VK_ESCAPE});
    EXPECT_FALSE(about.Visible());
}

}  // namespace
