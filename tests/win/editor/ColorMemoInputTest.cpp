// The editor's input wiring: which changes repaint one line or all, keys
// that take the selection away, hot spots under the mouse.
#include <gtest/gtest.h>

#include "MemoHost.h"
#include "TestSupport.h"

namespace qmtest {
namespace {

using qm::TColorMemo;

class ColorMemoInputTest : public ::testing::Test {
protected:
    MemoHost host{420, 200};
    TColorMemo& memo = host.Memo();

    void Type(wchar_t c) { SendMessageW(memo.Handle(), WM_CHAR, c, 1); }
    void Key(UINT message, WORD key) { SendMessageW(memo.Handle(), message, key, message == WM_KEYUP ? 0xC0000001 : 1); }
    void PressKey(WORD key) {
        Key(WM_KEYDOWN, key);
        Key(WM_KEYUP, key);
    }
    // Direct RedrawColors calls since the last look (paint cycles excluded).
    struct Calls {
        uint64_t all, caretLineOnly;
    };
    Calls Look() {
        const Calls calls{memo.Stats().RedrawCalls, memo.Stats().CaretLineOnlyCalls};
        Settle(memo);
        memo.ResetStats();
        return calls;
    }
    LPARAM At(int offset) {
        const POINT p = CharPos(memo.Handle(), offset);
        return MAKELPARAM(p.x + 1, p.y + 2);  // the left half: EM_CHARFROMPOS rounds to the nearer edge
    }
};

TEST_F(ColorMemoInputTest, OneTypedCharacterRepaintsTheCaretLineOnly) {
    memo.SetText(L"<p>one</p>\r\n<p>two</p>\r\n");
    memo.SetSelection(5, 0);
    Look();

    Type('x');
    Calls calls = Look();
    EXPECT_EQ(calls.all, 1u);
    EXPECT_EQ(calls.caretLineOnly, 1u);
    EXPECT_EQ(memo.Text().substr(0, 7), L"<p>onxe");

    SendMessageW(memo.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ab"));  // a paste
    calls = Look();
    EXPECT_EQ(calls.all, 1u);
    EXPECT_EQ(calls.caretLineOnly, 0u);

    PressKey(VK_DELETE);
    calls = Look();
    EXPECT_EQ(calls.caretLineOnly, 0u);
    EXPECT_GE(calls.all, 1u);

    Type('\r');  // a line break: one character more, but a line more too
    calls = Look();
    EXPECT_EQ(calls.all, 1u);
    EXPECT_EQ(calls.caretLineOnly, 0u);

    Type('y');
    EXPECT_EQ(Look().caretLineOnly, 1u);

    memo.SetRedrawAlways(true);
    Type('z');
    calls = Look();
    EXPECT_EQ(calls.all, 1u);
    EXPECT_EQ(calls.caretLineOnly, 0u);
}

TEST_F(ColorMemoInputTest, TypedCharacterIsColouredOnItsLine) {
    memo.SetText(L"<p>one\r\nplain\r\n");
    memo.SetSelection(6, 0);
    Look();
    Type('>');
    Settle(memo);
    const Pixels pixels(memo.Handle());
    EXPECT_GT(pixels.Count(CharsRect(memo, 0, 6), Ref(kTag)), 0);
    EXPECT_EQ(pixels.Count(CharsRect(memo, 9, 13), Ref(kTag)), 0);
}

// After a typed character the native control moves the text behind it only
// when it paints again. Until then no colours go there, over text that has
// not moved yet (they would show a character off); the paint colours it.
TEST_F(ColorMemoInputTest, ColoursWaitForThePaintWhereTheTypedTextIsAboutToMove) {
    memo.SetText(L"<p>one</p> <b>two</b> <i>three</i> \"four\"\r\n<p>line</p>\r\n");
    memo.SetFocus();
    for (bool always : {false, true}) {
        memo.SetRedrawAlways(always);
        memo.SetSelection(1, 0);
        Settle(memo);
        HideCaret(memo.Handle());
        const Pixels before(memo.Handle());
        Type('x');
        RECT pending{};
        ASSERT_TRUE(GetUpdateRect(memo.Handle(), &pending, FALSE)) << always;
        const Pixels now(memo.Handle(), false);
        int changed = 0;
        for (int y = pending.top; y < pending.bottom; ++y) {
            for (int x = pending.left; x < pending.right; ++x) changed += before.At(x, y) != now.At(x, y) ? 1 : 0;
        }
        EXPECT_EQ(changed, 0) << always;

        Settle(memo);
        const Pixels after(memo.Handle());
        ShowCaret(memo.Handle());
        const int bold = Find(memo, L"<b>");
        EXPECT_GT(after.Count(CharsRect(memo, 1, 1), Ref(kTag)), 0) << always;
        EXPECT_GT(after.Count(CharsRect(memo, bold, bold + 2), Ref(kTag)), 0) << always;
        EXPECT_EQ(after.Count(CharsRect(memo, bold, bold + 2), Ref(qm::clBlack)), 0) << always;
        const int four = Find(memo, L"\"four\"");
        EXPECT_GT(after.Count(CharsRect(memo, four, four + 5), Ref(kQuoted)), 0) << always;
    }
}

// Characters as the keyboard gives them outside any code page (Unicode key
// events; an emoji comes as its two halves), through a Unicode message loop.
void TypeUnicode(const std::wstring& text) {
    std::vector<INPUT> inputs;
    for (wchar_t unit : text) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    for (const DWORD start = GetTickCount(); GetTickCount() - start < 300; Sleep(5)) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Letters outside Windows-1252 and an emoji typed into a quoted value: the
// text holds exactly them, they go into the copy of the (only) line, and
// what shows is what a fresh paint of the same text shows. The emoji is one
// character to the arrow keys, Delete and Backspace.
TEST_F(ColorMemoInputTest, UnicodeTypedWithRealKeysIsKeptPaintedAndEditedWhole) {
    memo.SetText(L"<p title=\"x\">text</p> plain");
    memo.SetFocus();
    const int at = Find(memo, L"x\"") + 1;
    memo.SetSelection(at, 0);
    Settle(memo);
    const uint64_t copied = memo.Stats().CopiedChars;
    TypeUnicode(L"\u0101\u65e5");
    EXPECT_EQ(memo.Stats().CopiedChars, copied);
    TypeUnicode(L"\U0001F600\u00e9");
    ASSERT_EQ(memo.Text(), L"<p title=\"x\u0101\u65e5\U0001F600\u00e9\">text</p> plain");
    EXPECT_EQ(memo.SelStart(), at + 5);

    Settle(memo);
    HideCaret(memo.Handle());
    const Pixels typed(memo.Handle());
    memo.ForgetCopiedText();
    InvalidateRect(memo.Handle(), nullptr, TRUE);
    const Pixels fresh(memo.Handle());
    ShowCaret(memo.Handle());
    EXPECT_GT(fresh.Count(CharsRect(memo, at, at + 4), Ref(kQuoted)), 0);
    int differing = 0;
    for (int y = 0; y < fresh.Height(); ++y) {
        for (int x = 0; x < fresh.Width(); ++x) differing += typed.At(x, y) != fresh.At(x, y) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);

    PressKeys({VK_LEFT});
    PressKeys({VK_LEFT});
    EXPECT_EQ(memo.SelStart(), at + 2);
    PressKeys({VK_RIGHT});
    EXPECT_EQ(memo.SelStart(), at + 4);
    PressKeys({VK_BACK});
    EXPECT_EQ(memo.Text(), L"<p title=\"x\u0101\u65e5\u00e9\">text</p> plain");
    TypeUnicode(L"\U0001F600");
    PressKeys({VK_LEFT});
    PressKeys({VK_DELETE});
    EXPECT_EQ(memo.Text(), L"<p title=\"x\u0101\u65e5\u00e9\">text</p> plain");
}

TEST_F(ColorMemoInputTest, NavigationKeysFirstCollapseTheSelectionToItsEnd) {
    memo.SetText(L"abc def\r\nghi jkl");
    memo.SetSelection(5, 6);  // "ef", the line break and "gh"
    Look();
    PressKey(VK_HOME);
    EXPECT_EQ(memo.SelStart(), 9);  // the start of the line holding the selection's end
    EXPECT_EQ(memo.SelLength(), 0);
    EXPECT_GE(Look().all, 1u);

    memo.SetSelection(1, 3);
    PressKey(VK_RIGHT);
    EXPECT_EQ(memo.SelStart(), 5);  // one after the selection's end
    EXPECT_EQ(memo.SelLength(), 0);

    // With Shift held the native control extends the selection; no colouring
    // until Shift is released.
    memo.SetSelection(1, 3);
    Look();
    BYTE keys[256];
    ASSERT_TRUE(GetKeyboardState(keys));
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    Key(WM_KEYDOWN, VK_RIGHT);
    EXPECT_EQ(memo.Stats().RedrawCalls, 0u);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    Key(WM_KEYUP, VK_RIGHT);
    EXPECT_EQ(memo.Stats().RedrawCalls, 0u);
    EXPECT_EQ(memo.SelStart(), 1);
    EXPECT_EQ(memo.SelLength(), 4);
    Key(WM_KEYUP, VK_SHIFT);
    EXPECT_EQ(memo.Stats().RedrawCalls, 1u);
}

TEST_F(ColorMemoInputTest, KeyAndMouseEventsReachTheApplication) {
    memo.SetText(L"text");
    std::vector<std::string> seen;
    memo.OnKeyDown = [&](TColorMemo&, WORD& key, qm::TShiftState) {
        seen.push_back("down " + std::to_string(key));
        if (key == VK_END) key = 0;  // kept from the native control
    };
    memo.OnKeyUp = [&](TColorMemo&, WORD& key, qm::TShiftState) { seen.push_back("up " + std::to_string(key)); };
    memo.OnMouseDown = [&](TColorMemo&, qm::TMouseButton, qm::TShiftState shift, int x, int) {
        seen.push_back("press " + std::to_string(shift) + " " + std::to_string(x));
    };
    memo.OnMouseUp = [&](TColorMemo&, qm::TMouseButton button, qm::TShiftState, int, int) {
        seen.push_back(std::string("release ") + (button == qm::TMouseButton::mbLeft ? "left" : "other"));
    };
    memo.SetSelection(0, 0);
    Key(WM_KEYDOWN, VK_END);
    EXPECT_EQ(memo.SelStart(), 0);
    Key(WM_KEYUP, VK_END);
    SendMessageW(memo.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(7, 3));
    SendMessageW(memo.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(7, 3));
    const std::vector<std::string> expected{"down 35", "up 35", "press " + std::to_string(qm::ssLeft) + " 7",
                                            "release left"};
    EXPECT_EQ(seen, expected);
}

TEST_F(ColorMemoInputTest, HotSpotsShowTheHandAndReportTheirTextWhenClicked) {
    // Markers the pointer can point at (Wine gives the default ones no width).
    memo.HotSpot().BeginChar = '[';
    memo.HotSpot().EndChar = ']';
    memo.HotSpot().Active = true;
    std::vector<std::string> clicked;
    memo.OnHotSpotClick = [&](TColorMemo& sender, const std::string& text) {
        EXPECT_EQ(&sender, &memo);
        clicked.push_back(text);
    };
    memo.SetText(L"see [index.htm] and [b.htm]\r\nnext");
    Settle(memo);
    const int begin = Find(memo, L"[");
    auto move = [&](int offset) {
        SendMessageW(memo.Handle(), WM_MOUSEMOVE, 0, At(offset));
        return memo.Cursor();
    };

    EXPECT_EQ(move(begin + 3), qm::crHotSpot);
    SendMessageW(memo.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(memo.Handle()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), TColorMemo::CursorImage(qm::crHotSpot));
    // The program's own pointing hand, not a stand-in for a missing one.
    EXPECT_EQ(TColorMemo::CursorImage(qm::crHotSpot), LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1077)));
    EXPECT_NE(GetCursor(), nullptr);
    EXPECT_EQ(move(begin + 10), qm::crHotSpot);  // the EndChar itself
    EXPECT_EQ(move(begin), qm::crDefault);       // the BeginChar
    EXPECT_EQ(move(1), qm::crDefault);
    EXPECT_EQ(move(begin + 12), qm::crDefault);  // between the two hot spots

    move(begin + 5);
    SendMessageW(memo.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At(begin + 5));
    SendMessageW(memo.Handle(), WM_LBUTTONUP, 0, At(begin + 5));
    move(begin + 12);
    SendMessageW(memo.Handle(), WM_LBUTTONUP, 0, At(begin + 12));  // not over a hot spot: nothing
    const int second = Find(memo, L"b.htm");
    move(second + 1);
    SendMessageW(memo.Handle(), WM_MBUTTONUP, 0, At(second + 1));  // any button
    EXPECT_EQ(clicked, (std::vector<std::string>{"index.htm", "b.htm"}));

    memo.HotSpot().Active = false;
    EXPECT_EQ(move(1), qm::crHotSpot);  // inactive: the cursor is left as it was
}

TEST_F(ColorMemoInputTest, HotSpotsFarDownALongTextAreExact) {
    memo.HotSpot().BeginChar = '[';
    memo.HotSpot().EndChar = ']';
    memo.HotSpot().Active = true;
    std::string clicked;
    memo.OnHotSpotClick = [&](TColorMemo&, const std::string& text) { clicked = text; };
    std::wstring text;
    for (int i = 0; i < 2500; ++i) text += L"filler line number " + std::to_wstring(100000 + i) + L" of the text\r\n";
    const int line = 2400;
    memo.SetText(text);
    const int start = static_cast<int>(SendMessageW(memo.Handle(), EM_LINEINDEX, line, 0));
    ASSERT_GT(start, 70000);
    SendMessageW(memo.Handle(), EM_SETSEL, start, start + 6);
    SendMessageW(memo.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"[far.htm]"));
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, line - 2 - SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
    Settle(memo);
    ASSERT_EQ(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), line - 2);

    SendMessageW(memo.Handle(), WM_MOUSEMOVE, 0, At(start + 3));
    EXPECT_EQ(memo.Cursor(), qm::crHotSpot);
    SendMessageW(memo.Handle(), WM_LBUTTONUP, 0, At(start + 3));
    EXPECT_EQ(clicked, "far.htm");
}

// OnChange fires for every change of the text, after it, however it
// came (keys, clipboard, undo, SetText and WM_SETTEXT), and never for what
// leaves the text as it is.
TEST_F(ColorMemoInputTest, OnChangeFiresAfterEveryChangeOfTheTextAndForNothingElse) {
    std::vector<std::wstring> changes;
    memo.OnChange = [&] { changes.push_back(memo.Text()); };
    auto count = [&] {
        Settle(memo);
        const size_t n = changes.size();
        changes.clear();
        return n;
    };
    memo.SetText(L"<p>one</p>");
    ASSERT_EQ(changes, std::vector<std::wstring>{L"<p>one</p>"});
    changes.clear();
    memo.SetText(L"<p>one</p>");  // the same text again is set all the same
    EXPECT_EQ(count(), 1u);
    memo.SetText(L"");
    EXPECT_EQ(count(), 1u);
    SendMessageW(memo.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"<p>two</p>"));
    ASSERT_EQ(changes, std::vector<std::wstring>{L"<p>two</p>"});
    changes.clear();

    memo.SetFocus();
    memo.SetSelection(3, 0);
    PressKeys({'X'});
    ASSERT_EQ(changes, std::vector<std::wstring>{L"<p>xtwo</p>"});  // seen after the change
    changes.clear();
    PressKeys({VK_BACK});
    EXPECT_EQ(count(), 1u);
    PressKeys({VK_RETURN});
    EXPECT_EQ(count(), 1u);
    PressKeys({VK_CONTROL, 'Z'});  // the line break, then the Backspace
    PressKeys({VK_CONTROL, 'Z'});
    Settle(memo);
    EXPECT_EQ(memo.Text(), L"<p>xtwo</p>");
    EXPECT_EQ(changes, (std::vector<std::wstring>{L"<p>two</p>", L"<p>xtwo</p>"}));
    changes.clear();

    // Moving, selecting, copying, scrolling and settings change no text.
    PressKeys({VK_END});
    PressKeys({VK_LEFT});
    PressKeys({VK_SHIFT, VK_HOME});
    PressKeys({VK_CONTROL, 'C'});
    SendMessageW(memo.Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    memo.SetSelection(0, 2);
    memo.SetModified(false);
    memo.SetColor(qm::clYellow);
    memo.SetFont(memo.Font());
    memo.SetWordWrap(true);  // the native control is made again with the text
    memo.SetFocus();
    EXPECT_EQ(count(), 0u);

    memo.SetSelection(0, 3);
    PressKeys({VK_CONTROL, 'X'});
    EXPECT_EQ(count(), 1u);
    PressKeys({VK_CONTROL, 'V'});
    EXPECT_EQ(count(), 1u);
    PressKeys({VK_DELETE});
    EXPECT_EQ(count(), 1u);
    SendMessageW(memo.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"ab"));
    EXPECT_EQ(count(), 1u);

    // A read-only editor's text cannot be typed into: nothing changes.
    memo.SetReadOnly(true);
    PressKeys({'Y'});
    PressKeys({VK_DELETE});
    EXPECT_EQ(count(), 0u);
    ASSERT_EQ(GetFocus(), memo.Handle());
}

// An editor that counts the repaints it makes for mouse buttons.
class CountingMemo : public TColorMemo {
public:
    using TColorMemo::TColorMemo;
    void RedrawColors(const void* sender, bool caretLineOnly) override {
        if (button_) ++mouseRepaints;
        TColorMemo::RedrawColors(sender, caretLineOnly);
    }
    int mouseRepaints = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        const bool button = message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
        button_ = button_ || button;
        const LRESULT result = TColorMemo::HandleMessage(message, wParam, lParam);
        if (button) button_ = false;
        return result;
    }

private:
    bool button_ = false;
};

// A plain press of the left button repaints, and so does every release of
// it; other buttons, a press with a key held and the second press of a
// double click do not. Real mouse input.
TEST_F(ColorMemoInputTest, MouseRepaintsOnlyForAPlainLeftButton) {
    memo.SetVisible(false);
    CountingMemo counted(host.Handle(), 300);
    counted.SetBounds(0, 0, memo.Width(), memo.Height());
    AddEditorRules(counted.ColorRules());
    // The context menu is switched off: a right click opens nothing.
    HMENU menu = CreatePopupMenu();
    counted.SetPopupMenu(menu, host.Handle());
    counted.SetPopupEnabled(false);
    counted.SetText(L"<p>some words</p>\r\nmore words\r\n");
    counted.SetReadOnly(true);  // (Wine's control pastes on a middle click)
    counted.SetFocus();
    Settle(counted);
    std::vector<std::string> events;
    counted.OnMouseDown = [&](TColorMemo&, qm::TMouseButton button, qm::TShiftState shift, int, int) {
        events.push_back("down " + std::to_string(static_cast<int>(button)) + " " + std::to_string(shift));
    };
    const POINT at = CharPos(counted.Handle(), 5);
    const POINT point{at.x + 1, at.y + 3};
    auto repaints = [&](Button button, std::initializer_list<WORD> held, bool twice = false) {
        Sleep(GetDoubleClickTime() + 50);  // no double click with the click before
        Settle(counted);
        counted.mouseRepaints = 0;
        Click(counted.Handle(), point, button, held, twice);
        Settle(counted);
        return counted.mouseRepaints;
    };

    EXPECT_EQ(repaints(Button::Left, {}), 2);  // press and release
    EXPECT_EQ(repaints(Button::Left, {VK_SHIFT}), 1);
    EXPECT_EQ(repaints(Button::Left, {VK_CONTROL}), 1);
    EXPECT_EQ(repaints(Button::Right, {}), 0);
    EXPECT_EQ(repaints(Button::Middle, {}), 0);
    EXPECT_EQ(repaints(Button::Left, {}, true), 3);  // the second press is a double click
    // The events saw what the repaints were decided on.
    using qm::ssCtrl, qm::ssDouble, qm::ssLeft, qm::ssShift;
    const std::vector<std::string> expected{
        "down 0 " + std::to_string(ssLeft),          "down 0 " + std::to_string(ssLeft | ssShift),
        "down 0 " + std::to_string(ssLeft | ssCtrl), "down 1 " + std::to_string(qm::ssRight),
        "down 2 " + std::to_string(qm::ssMiddle),    "down 0 " + std::to_string(ssLeft),
        "down 0 " + std::to_string(ssLeft | ssDouble)};
    EXPECT_EQ(events, expected);
    DestroyMenu(menu);
}

TEST_F(ColorMemoInputTest, ScrollMessagesFireTheirEventsAndRepaint) {
    std::wstring text;
    for (int i = 0; i < 60; ++i) text += L"<p>paragraph " + std::to_wstring(i) + L"</p>\r\n";
    memo.SetText(text);
    int vertical = 0, horizontal = 0;
    memo.OnVScroll = [&](TColorMemo&) { ++vertical; };
    memo.OnHScroll = [&](TColorMemo&) { ++horizontal; };
    Look();
    SendMessageW(memo.Handle(), WM_VSCROLL, SB_PAGEDOWN, 0);
    SendMessageW(memo.Handle(), WM_HSCROLL, SB_LINERIGHT, 0);
    EXPECT_EQ(vertical, 1);
    EXPECT_EQ(horizontal, 1);
    EXPECT_EQ(Look().all, 2u);
    EXPECT_GT(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

}  // namespace
}  // namespace qmtest
