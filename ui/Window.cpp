#include "ui/Window.h"

#include "ui/Application.h"
#include "ui/SystemError.h"

namespace qm {

TWindow::~TWindow() {
    if (handle_) {
        // The object goes first: keep the procedure from reaching it.
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        DestroyWindow(handle_);
    }
}

void TWindow::CreateWindowOfClass(const char* className, const char* caption, DWORD style, DWORD exStyle,
                                  int x, int y, int width, int height, HWND parent, HMENU menu, HICON icon,
                                  HCURSOR cursor) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, className, &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &TWindow::WindowProc;
        wc.hInstance = instance;
        wc.hIcon = icon;
        wc.hIconSm = icon;
        wc.hCursor = cursor ? cursor : LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = className;
        if (!RegisterClassExA(&wc)) ThrowLastError(std::string("Cannot register the window class ") + className);
    }
    if (!CreateWindowExA(exStyle, className, caption, style, x, y, width, height, parent, menu, instance, this)) {
        ThrowLastError(std::string("Cannot create the window ") + className);
    }
}

void TWindow::Destroy() {
    if (handle_) DestroyWindow(handle_);
}

void TWindow::SetCaption(const std::string& caption) { SetWindowTextA(handle_, caption.c_str()); }

std::string TWindow::Caption() const { return WindowText(handle_); }

LRESULT TWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT TWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(handle_, message, wParam, lParam);
}

LRESULT CALLBACK TWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWindow* self = nullptr;
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        self = static_cast<TWindow*>(create->lpCreateParams);
        self->handle_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<TWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);

    LRESULT result = Guarded([&] { return self->HandleMessage(message, wParam, lParam); },
                             static_cast<LRESULT>(message == WM_NCCREATE ? TRUE : 0));
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->handle_ = nullptr;
        Guarded([&] { self->Destroyed(); return 0; }, 0);
    }
    return result;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

}  // namespace qm
