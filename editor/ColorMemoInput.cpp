// TColorMemo: keys, mouse, hot spots, scrolling and text changes, which keep
// the coloured painting in step with the native control.
#include <algorithm>
#include <optional>

#include "editor/ColorMemo.h"
#include "resources/resource.h"
#include "ui/Utf.h"

namespace qm {

namespace {

TShiftState KeyShift(LPARAM lParam) {
    TShiftState shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
    if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
    if (HIWORD(lParam) & KF_ALTDOWN) shift |= ssAlt;
    return shift;
}

TShiftState MouseShift(UINT message, WPARAM wParam) {
    TShiftState shift = 0;
    if (wParam & MK_SHIFT) shift |= ssShift;
    if (wParam & MK_CONTROL) shift |= ssCtrl;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    if (wParam & MK_LBUTTON) shift |= ssLeft;
    if (wParam & MK_RBUTTON) shift |= ssRight;
    if (wParam & MK_MBUTTON) shift |= ssMiddle;
    if (message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK) shift |= ssDouble;
    return shift;
}

TMouseButton ButtonOf(UINT message) {
    switch (message) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP:
        return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_MBUTTONUP:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

int PointX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)); }
int PointY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)); }

// The pointing hand of the program's resources, loaded once.
HCURSOR HotSpotCursor() {
    static const HCURSOR cursor = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HOTSPOT));
    return cursor;
}

HCURSOR CursorHandle(TCursor cursor) {
    switch (cursor) {
    case crHotSpot: return HotSpotCursor();
    case crArrow: return LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    case crIBeam: return LoadCursorW(nullptr, MAKEINTRESOURCEW(32513));  // IDC_IBEAM
    default: return nullptr;
    }
}

}  // namespace

HCURSOR TColorMemo::CursorImage(TCursor cursor) { return CursorHandle(cursor); }

// A navigation key without modifiers first takes the selection away, leaving
// the caret at its end, from where the native control moves it.
LRESULT TColorMemo::KeyDown(UINT message, WPARAM wParam, LPARAM lParam) {
    WORD key = LOWORD(wParam);
    const TShiftState shift = KeyShift(lParam);
    if (shift == 0 && key >= VK_PRIOR && key <= VK_DOWN && SelLength() > 0) {
        const int end = SelStart() + SelLength();
        SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(end), static_cast<LPARAM>(end));
        RedrawColors(this, false);
    }
    if (OnKeyDown) OnKeyDown(*this, key, shift);
    if (key == 0) return 0;
    if (key == VK_DELETE && (shift & ssCtrl) == 0 && !readOnly_) {
        KeepPairsWhole(TPairEdit::Delete);
        ExpectDeleted();
    }
    const LRESULT result = DefaultHandling(message, key, lParam);
    expected_.Pending = false;
    if ((key == VK_LEFT || key == VK_RIGHT) && (shift & (ssShift | ssCtrl)) == 0) StepOutOfPair(key == VK_RIGHT);
    return result;
}

// Releasing Shift ends a selection made with the keys: colour around it.
LRESULT TColorMemo::KeyUp(UINT message, WPARAM wParam, LPARAM lParam) {
    WORD key = LOWORD(wParam);
    const TShiftState shift = KeyShift(lParam);
    if (shift == 0 && key == VK_SHIFT) RedrawColors(this, false);
    if (OnKeyUp) OnKeyUp(*this, key, shift);
    if (key == 0) return 0;
    return DefaultHandling(message, key, lParam);
}

LRESULT TColorMemo::MouseDown(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    const TMouseButton button = ButtonOf(message);
    const TShiftState shift = MouseShift(message, wParam);
    if (button == TMouseButton::mbLeft && shift == ssLeft) RedrawColors(this, false);
    if (OnMouseDown) OnMouseDown(*this, button, shift, PointX(lParam), PointY(lParam));
    return result;
}

LRESULT TColorMemo::MouseUp(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    const TMouseButton button = ButtonOf(message);
    if (button == TMouseButton::mbLeft) RedrawColors(this, false);
    if (OnMouseUp) OnMouseUp(*this, button, MouseShift(message, wParam), PointX(lParam), PointY(lParam));
    if (cursor_ == crHotSpot) HotSpotClick(PointX(lParam), PointY(lParam));
    return result;
}

LRESULT TColorMemo::MouseMove(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    const int x = PointX(lParam), y = PointY(lParam);
    if (painter_.HotSpot.Active) {
        TPointed pointed;
        const bool over = PointAt(x, y, pointed) && HotSpotTest(pointed.Line, pointed.LineStart, pointed.CharPos,
                                                                painter_.HotSpot.BeginChar, painter_.HotSpot.EndChar);
        // Off a hot spot the control shows its parent's cursor, the default.
        SetCursor(over ? crHotSpot : crDefault);
    }
    if (OnMouseMove) OnMouseMove(*this, MouseShift(message, wParam), x, y);
    return result;
}

bool TColorMemo::SetCursorShape(LPARAM lParam) {
    if (LOWORD(lParam) != HTCLIENT || cursor_ == crDefault) return false;
    HCURSOR image = CursorHandle(cursor_);
    if (!image) return false;
    ::SetCursor(image);
    return true;
}

// The character under a client point and its line. EM_CHARFROMPOS answers
// in 16 bits each; the line is widened from the top line and the character
// from the line's start, so points far down a long text are exact too.
bool TColorMemo::PointAt(int x, int y, TPointed& pointed) const {
    const LRESULT answer = SendMessageW(handle_, EM_CHARFROMPOS, 0, MAKELPARAM(x, y));
    if (answer == -1) return false;
    const auto topLine = static_cast<int32_t>(SendMessageW(handle_, EM_GETFIRSTVISIBLELINE, 0, 0));
    const int32_t line = WidenLow16(HIWORD(answer), std::max(topLine, 0));
    const auto start = static_cast<int32_t>(SendMessageW(handle_, EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    if (start < 0) return false;
    const auto length = static_cast<int32_t>(SendMessageW(handle_, EM_LINELENGTH, static_cast<WPARAM>(start), 0));
    const int32_t room = std::clamp(length, 1, 0xFFFF);
    // EM_GETLINE takes the room, in characters, in the buffer's first unit.
    std::u16string text(static_cast<size_t>(room) + 1, u'\0');
    text[0] = static_cast<char16_t>(room);
    const auto got = static_cast<int32_t>(
        SendMessageW(handle_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::clamp(got, 0, std::min(length, room))));
    pointed.Line = std::move(text);
    pointed.LineStart = start;
    pointed.CharPos = WidenLow16(LOWORD(answer), start);
    return true;
}

void TColorMemo::HotSpotClick(int x, int y) {
    TPointed pointed;
    if (!PointAt(x, y, pointed)) return;
    const std::optional<std::u16string> text = HotSpotClickText(pointed.Line, pointed.LineStart, pointed.CharPos,
                                                                painter_.HotSpot.BeginChar, painter_.HotSpot.EndChar);
    if (text && OnHotSpotClick) OnHotSpotClick(*this, Utf16ToUtf8(*text));
}

LRESULT TColorMemo::Scrolled(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = DefaultHandling(message, wParam, lParam);
    const TNotifyEvent& event = message == WM_VSCROLL ? OnVScroll : OnHScroll;
    if (event) event(*this);
    RedrawColors(this, false);
    return result;
}

// After a change only the caret's line is coloured again when the text grew
// by one character on the same number of lines (one typed character);
// otherwise all visible lines. Only the end of the text is asked for.
void TColorMemo::TextChanged() {
    if (!handle_ || recreating_) return;
    if (redrawAlways_) {
        RedrawColors(this, false);
        return;
    }
    const auto editLines = static_cast<int32_t>(SendMessageW(handle_, EM_GETLINECOUNT, 0, 0));
    const auto lastStart = static_cast<int32_t>(SendMessageW(handle_, EM_LINEINDEX, static_cast<WPARAM>(editLines - 1), 0));
    const int32_t lastLength =
        lastStart >= 0 ? static_cast<int32_t>(SendMessageW(handle_, EM_LINELENGTH, static_cast<WPARAM>(lastStart), 0)) : 0;
    const int32_t lines = MemoLineCount(editLines, lastLength);
    int32_t textEnd = MemoTextEnd(lines, lastStart, lastLength);
    if (lines > 0 && lines < editLines) {
        const auto start = static_cast<int32_t>(SendMessageW(handle_, EM_LINEINDEX, static_cast<WPARAM>(lines - 1), 0));
        textEnd = MemoTextEnd(lines, start, static_cast<int32_t>(SendMessageW(handle_, EM_LINELENGTH, start, 0)));
    }
    RedrawColors(this, changes_.Changed(lines, textEnd));
}

}  // namespace qm
