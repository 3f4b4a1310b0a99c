#include "ui/Application.h"

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

int TApplication::Run() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (got == -1) return 1;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace qm
