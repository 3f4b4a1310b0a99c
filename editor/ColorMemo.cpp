#include "editor/ColorMemo.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/SystemError.h"

namespace qm {

namespace {
constexpr wchar_t kSelfProperty[] = L"QuillmereColorMemo";
constexpr UINT_PTR kSubclassId = 1;
}  // namespace

TColorMemo::TColorMemo(HWND parent, int id)
    : painter_(this), DrawCanvas(handle_), OnDraw(painter_.OnDraw), parent_(parent), id_(id), edit_(handle_, stats_),
      text_(edit_), charWidths_([this](char32_t code) { return DrawCanvas.MeasureChar(code); }) {
    gdiFont_ = CreateGdiFont(font_);
    DrawCanvas.SetFont(gdiFont_.Get());
    background_.Reset(CreateSolidBrush(ToColorRef(color_)));
    HookParent();
    try {
        CreateNative();
    } catch (...) {
        UnhookParent();
        throw;
    }
}

TColorMemo::~TColorMemo() {
    DestroyNative();
    UnhookParent();
}

// One subclass of the parent per control (its id is the control), so that
// several editors on one window each see their own messages.
void TColorMemo::HookParent() {
    if (!SetWindowSubclass(parent_, &TColorMemo::ParentSubclassProc, reinterpret_cast<UINT_PTR>(this),
                           reinterpret_cast<DWORD_PTR>(this))) {
        ThrowLastError("Cannot set up an editor");
    }
    parentHooked_ = true;
}

void TColorMemo::UnhookParent() {
    if (!parentHooked_) return;
    RemoveWindowSubclass(parent_, &TColorMemo::ParentSubclassProc, reinterpret_cast<UINT_PTR>(this));
    parentHooked_ = false;
}

TColorMemo* TColorMemo::FromHandle(HWND window) {
    if (!window) return nullptr;
    return static_cast<TColorMemo*>(GetPropW(window, kSelfProperty));
}

DWORD TColorMemo::Style() const {
    DWORD style = WS_CHILD | WS_TABSTOP | WS_CLIPSIBLINGS | ES_MULTILINE | ES_AUTOVSCROLL;
    if (visible_) style |= WS_VISIBLE;
    if (readOnly_) style |= ES_READONLY;
    if (!wordWrap_) style |= ES_AUTOHSCROLL;
    const bool vertical = scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth;
    const bool horizontal =
        !wordWrap_ && (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth);
    if (vertical) style |= WS_VSCROLL;
    if (horizontal) style |= WS_HSCROLL;
    return style;
}

void TColorMemo::CreateNative() {
    handle_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", Style(), left_, top_, width_, height_, parent_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), GetModuleHandleW(nullptr),
                              nullptr);
    if (!handle_) ThrowLastError("Cannot create an editor");
    if (!SetPropW(handle_, kSelfProperty, this) ||
        !SetWindowSubclass(handle_, &TColorMemo::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        const DWORD error = GetLastError();
        DestroyWindow(handle_);
        handle_ = nullptr;
        throw SystemError("Cannot set up an editor", error);
    }
    // A new editor lies over the ones made before it.
    SetWindowPos(handle_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Typing is not capped at the EDIT control's default of 32,767 characters.
    SendMessageW(handle_, EM_SETLIMITTEXT, 0, 0);
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(gdiFont_.Get()), FALSE);
}

void TColorMemo::DestroyNative() {
    const HWND window = handle_;
    DetachNative();
    if (window) DestroyEditWindow(window);
}

// The native control leaves its text buffer to whoever asked for it with
// EM_GETHANDLE (the undo recorder and the recovery journal read the text
// straight from it) and no longer frees it itself: it is taken here, once
// more, and freed when the window is gone.
void TColorMemo::DestroyEditWindow(HWND window) {
    const auto buffer = reinterpret_cast<HLOCAL>(SendMessageW(window, EM_GETHANDLE, 0, 0));
    DestroyWindow(window);
    if (buffer) LocalFree(buffer);
}

void TColorMemo::DetachNative() {
    ++textVersion_;
    if (!handle_) return;
    RemoveWindowSubclass(handle_, &TColorMemo::SubclassProc, kSubclassId);
    RemovePropW(handle_, kSelfProperty);
    handle_ = nullptr;
}

void TColorMemo::AttachNative(HWND window) {
    ++textVersion_;
    handle_ = window;
    SetPropW(window, kSelfProperty, this);
    SetWindowSubclass(window, &TColorMemo::SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void TColorMemo::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    MoveWindow(handle_, left, top, width, height, TRUE);
}

void TColorMemo::SetVisible(bool visible) {
    visible_ = visible;
    ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

void TColorMemo::SetFocus() { ::SetFocus(handle_); }

std::wstring TColorMemo::Text() const {
    const int length = TextLength();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(handle_, WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                                     reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, length)));
    return text;
}

void TColorMemo::SetText(std::wstring_view text) {
    if (text.find(L'\0') != std::wstring_view::npos) {
        throw Error("The editor cannot hold a text with NUL characters.");
    }
    const std::wstring terminated(text);
    const LRESULT ok = SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(terminated.c_str()));
    if (!ok || static_cast<size_t>(TextLength()) != text.size()) {
        SendMessageW(handle_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
        throw Error("The editor cannot hold a text of " + std::to_string(text.size()) + " characters.");
    }
}

int TColorMemo::TextLength() const { return static_cast<int>(SendMessageW(handle_, WM_GETTEXTLENGTH, 0, 0)); }

int TColorMemo::LineCount() const {
    int count = static_cast<int>(SendMessageW(handle_, EM_GETLINECOUNT, 0, 0));
    // The line after a final line break is empty and not counted.
    const int lastStart = static_cast<int>(SendMessageW(handle_, EM_LINEINDEX, count - 1, 0));
    if (lastStart >= 0 && SendMessageW(handle_, EM_LINELENGTH, lastStart, 0) == 0) --count;
    return count;
}

bool TColorMemo::Modified() const { return SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0; }

// Unmodified means saved: Undo comes back to this text as unmodified. A
// mark set by the program (another encoding) leaves no text of the history
// saved. Putting a re-made control's mark back is neither.
void TColorMemo::SetModified(bool modified) {
    SendMessageW(handle_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
    if (recreating_) return;
    if (!modified) {
        history_.MarkSaved();
    } else if (history_.AtSaved()) {
        history_.ForgetSaved();
    }
    NoteState();
}

int TColorMemo::SelStart() const {
    DWORD start = 0, end = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TColorMemo::SelLength() const {
    DWORD start = 0, end = 0;
    SendMessageW(handle_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TColorMemo::SetSelection(int start, int length) {
    SendMessageW(handle_, EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start + length));
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
}

void TColorMemo::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    SendMessageW(handle_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void TColorMemo::SetColor(TColor color) {
    color_ = color;
    background_.Reset(CreateSolidBrush(ToColorRef(color)));
    InvalidateRect(handle_, nullptr, TRUE);
}

void TColorMemo::SetFont(const TFont& font) {
    qm::Font made = CreateGdiFont(font);
    font_ = font;
    SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(made.Get()), TRUE);
    DrawCanvas.SetFont(made.Get());
    gdiFont_ = std::move(made);
    charWidths_.Clear();
    InvalidateRect(handle_, nullptr, TRUE);
}

void TColorMemo::SetPopupMenu(HMENU menu, HWND commandTarget) {
    popupMenu_ = menu;
    commandTarget_ = commandTarget;
}

LRESULT TColorMemo::CtlColor(HDC dc) {
    SetTextColor(dc, ToColorRef(font_.Color));
    SetBkColor(dc, ToColorRef(color_));
    return reinterpret_cast<LRESULT>(background_.Get());
}

void TColorMemo::Changed() {
    ++textVersion_;
    ++changeCount_;
    TakeExpectedChange();
    if (OnChange) OnChange();
    TextChanged();
}

bool TColorMemo::ShowPopup(LPARAM lParam) {
    if (!popupMenu_) return false;
    if (!popupEnabled_) return true;  // assigned but switched off: no menu at all
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    if (at.x == -1 && at.y == -1) {  // from the keyboard: at the caret
        GetCaretPos(&at);
        ClientToScreen(handle_, &at);
    }
    TrackPopupMenu(popupMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0,
                   commandTarget_ ? commandTarget_ : parent_, nullptr);
    return true;
}

void TColorMemo::SetCursor(TCursor cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    // Show it at once when the mouse is over the control.
    POINT at;
    if (handle_ && GetCursorPos(&at) && WindowFromPoint(at) == handle_) {
        SendMessageW(handle_, WM_SETCURSOR, reinterpret_cast<WPARAM>(handle_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    }
}

// Messages that leave the text and its lines as they are (they may scroll or
// select). Any other message counts as a possible change of the text.
bool TColorMemo::KeepsText(UINT message) {
    constexpr UINT kSysTimer = 0x0118;  // the caret's blinking
    switch (message) {
    case WM_PAINT: case WM_NCPAINT: case WM_ERASEBKGND: case WM_PRINT: case WM_PRINTCLIENT:
    case WM_SETCURSOR: case WM_NCHITTEST: case WM_MOUSEMOVE: case WM_NCMOUSEMOVE: case WM_MOUSELEAVE:
    case WM_MOUSEHOVER: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL: case WM_MOUSEHWHEEL: case WM_VSCROLL: case WM_HSCROLL: case WM_KEYUP: case WM_SYSKEYUP:
    case WM_SETFOCUS: case WM_KILLFOCUS: case WM_CAPTURECHANGED: case WM_TIMER: case kSysTimer:
    case WM_GETTEXT: case WM_GETTEXTLENGTH: case WM_GETFONT: case WM_GETDLGCODE: case WM_GETOBJECT:
    case WM_CONTEXTMENU: case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC:
    case EM_GETSEL: case EM_SETSEL: case EM_GETLINE: case EM_GETLINECOUNT: case EM_LINEINDEX: case EM_LINELENGTH:
    case EM_LINEFROMCHAR: case EM_POSFROMCHAR: case EM_CHARFROMPOS: case EM_GETFIRSTVISIBLELINE: case EM_GETRECT:
    case EM_GETMODIFY: case EM_SETMODIFY: case EM_GETLIMITTEXT: case EM_GETMARGINS: case EM_GETTHUMB: case EM_CANUNDO:
    case EM_SCROLLCARET: case EM_LINESCROLL: case EM_SCROLL:
        return true;
    default:
        return false;
    }
}

LRESULT TColorMemo::HandleNative(UINT message, WPARAM wParam, LPARAM lParam) {
    // (Keys and typed characters change the text only with a change
    // notification, which makes the new version.)
    if (!KeepsText(message) && !ReportsChanges(message)) ++textVersion_;
    switch (message) {
    case WM_CHAR: {
        if (!readOnly_) KeepPairsWhole(wParam == VK_BACK ? TPairEdit::Backspace : TPairEdit::Typing);
        ExpectTyped(wParam);
        const LRESULT result = DefaultHandling(message, wParam, lParam);
        expected_.Pending = false;
        return result;
    }
    case WM_PAINT:
        return Paint(reinterpret_cast<HDC>(wParam));
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        return KeyDown(message, wParam, lParam);
    case WM_KEYUP:
    case WM_SYSKEYUP:
        return KeyUp(message, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        return MouseDown(message, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        return MouseUp(message, wParam, lParam);
    case WM_MOUSEMOVE:
        return MouseMove(message, wParam, lParam);
    case WM_VSCROLL:
    case WM_HSCROLL:
        return Scrolled(message, wParam, lParam);
    case WM_SETCURSOR:
        if (SetCursorShape(lParam)) return TRUE;
        break;
    case WM_CONTEXTMENU:
        if (ShowPopup(lParam)) return 0;
        break;
    case WM_CUT:
    case WM_COPY:
    case WM_CLEAR:
    case WM_PASTE:
    case EM_REPLACESEL:
        KeepPairsWhole(TPairEdit::Typing);
        break;
    case WM_SETTEXT: {
        // A multi-line EDIT control reports no change for WM_SETTEXT.
        const LRESULT result = DefaultHandling(message, wParam, lParam);
        if (!recreating_) Changed();
        return result;
    }
    default:
        break;
    }
    return DefaultHandling(message, wParam, lParam);
}

LRESULT TColorMemo::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    return RecordedHandling(message, wParam, lParam);
}

LRESULT CALLBACK TColorMemo::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                          DWORD_PTR refData) {
    auto* self = reinterpret_cast<TColorMemo*>(refData);
    if (message == WM_NCDESTROY) {
        // Destroyed with its parent: the text buffer is freed as DestroyEditWindow does.
        const auto buffer = reinterpret_cast<HLOCAL>(DefSubclassProc(window, EM_GETHANDLE, 0, 0));
        RemoveWindowSubclass(window, &TColorMemo::SubclassProc, kSubclassId);
        RemovePropW(window, kSelfProperty);
        if (self && self->handle_ == window) self->handle_ = nullptr;
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        if (buffer) LocalFree(buffer);
        return result;
    }
    if (!self || self->handle_ != window) return DefSubclassProc(window, message, wParam, lParam);
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, static_cast<LRESULT>(0));
}

// The change notification is handed on to the parent's own handling after
// the control has seen it; the colours of the control are the control's.
LRESULT CALLBACK TColorMemo::ParentSubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                UINT_PTR id, DWORD_PTR refData) {
    auto* self = reinterpret_cast<TColorMemo*>(refData);
    const bool mine = self && self->handle_ && reinterpret_cast<HWND>(lParam) == self->handle_;
    switch (message) {
    case WM_COMMAND:
        if (mine && HIWORD(wParam) == EN_CHANGE) {
            Guarded([&] { self->Changed(); return 0; }, 0);
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (mine) return Guarded([&] { return self->CtlColor(reinterpret_cast<HDC>(wParam)); }, LRESULT{0});
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(window, &TColorMemo::ParentSubclassProc, id);
        if (self) self->parentHooked_ = false;
        break;
    default:
        break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace qm
