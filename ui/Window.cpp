#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

TWindow::~TWindow() {
    if (handle_) {
        // The object goes first: keep the procedure from reaching it.
        SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TWindow::CreateWindowOfClass(const char* className, const char* caption, DWORD style, DWORD exStyle,
                                  int x, int y, int width, int height, HWND parent, HMENU menu, HICON icon,
                                  HCURSOR cursor) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring wideClass = Widen(className);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(instance, wideClass.c_str(), &existing)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TWindow::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.hCursor = cursor ? cursor : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = wideClass.c_str();
        if (!RegisterClassExW(&wc)) ThrowLastError(std::string("Cannot register the window class ") + className);
    }
    if (!CreateWindowExW(exStyle, wideClass.c_str(), Widen(caption).c_str(), style, x, y, width, height, parent, menu,
                         instance, this)) {
        ThrowLastError(std::string("Cannot create the window ") + className);
    }
}

void TWindow::Destroy() {
    if (handle_) DestroyWindow(handle_);
}

void TWindow::SetCaption(const std::string& caption) { SetWindowTextW(handle_, Widen(caption).c_str()); }

std::string TWindow::Caption() const { return WindowText(handle_); }

void TWindow::FocusActiveControl() {
    HWND control = ActiveControl();
    if (!handle_ || !control || !IsWindow(control) || !IsChild(handle_, control)) return;
    if (!IsWindowVisible(control) || !IsWindowEnabled(control)) return;
    if (GetFocus() != control) ::SetFocus(control);
}

// Before a message: remember the focused child when the window is left.
// After it (the default handling gives the focus to the window itself):
// hand the focus to the active control when the window becomes active or
// receives the focus.
void TWindow::KeepFocus(UINT message, WPARAM wParam, bool before) {
    if (message == WM_ACTIVATE) {
        if (LOWORD(wParam) == WA_INACTIVE) {
            if (before) {
                HWND focus = GetFocus();
                if (focus && IsChild(handle_, focus)) lastFocus_ = focus;
            }
        } else if (!before && HIWORD(wParam) == 0) {  // not while minimised
            FocusActiveControl();
        }
    } else if (message == WM_SETFOCUS && !before) {
        FocusActiveControl();
    }
}

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT TWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<TWindow*>(create->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(window, message, wParam, lParam);

    const bool focusMessage = message == WM_ACTIVATE || message == WM_SETFOCUS;
    if (focusMessage) self->KeepFocus(message, wParam, true);
    LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); },
                             static_cast<LRESULT>(message == WM_NCCREATE ? TRUE : 0));
    if (focusMessage && self->handle_) Guarded([&] { self->KeepFocus(message, wParam, false); return 0; }, 0);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        Guarded([&] { self->Destroyed(); return 0; }, 0);
    }
    return result;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return Narrow(text);
}

}  // namespace qm
