#include "ui/Application.h"

#include <algorithm>

#include "ui/MessageBoxes.h"

namespace qm {

TApplication& Application() {
    static TApplication application;
    return application;
}

void TApplication::HandleException(const std::exception& error) {
    try {
        const char* what = error.what();
        ShowErrorBox(mainWindow_, (what && *what) ? what : "Unknown error.");
    } catch (...) {
        // Nothing more can be done about an error while reporting one.
    }
}

void TApplication::HandleUnknownException() {
    try {
        ShowErrorBox(mainWindow_, "Unknown error.");
    } catch (...) {
    }
}

void TApplication::AddModelessWindow(HWND window) {
    if (window && std::find(modeless_.begin(), modeless_.end(), window) == modeless_.end()) {
        modeless_.push_back(window);
    }
}

void TApplication::RemoveModelessWindow(HWND window) {
    modeless_.erase(std::remove(modeless_.begin(), modeless_.end(), window), modeless_.end());
}

bool TApplication::IsModelessMessage(MSG& msg) const {
    // A copy: a message handled here may close a window, which removes it.
    const std::vector<HWND> windows = modeless_;
    for (HWND window : windows) {
        if (!IsWindow(window)) continue;
        // IsDialogMessage takes only messages of the window and its children.
        if (msg.hwnd != window && !IsChild(window, msg.hwnd)) continue;
        if (IsDialogMessageW(window, &msg)) return true;
    }
    return false;
}

bool TApplication::IsShortcut(MSG& msg) const {
    if (!accelerators_ || !IsWindow(acceleratorWindow_)) return false;
    if (msg.hwnd != acceleratorWindow_ && !IsChild(acceleratorWindow_, msg.hwnd)) return false;
    return TranslateAcceleratorW(acceleratorWindow_, accelerators_, &msg) != 0;
}

int TApplication::Run() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        if (IsModelessMessage(msg) || IsShortcut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsModelessMessage(msg) || IsShortcut(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace qm
