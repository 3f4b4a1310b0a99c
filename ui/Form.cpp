#include "ui/Form.h"

namespace qm {

TForm::TForm(HWND owner, const std::string& caption, int clientWidth, int clientHeight) {
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, 0);
    CreateWindowOfClass("QuillmereForm", caption.c_str(), style, 0, CW_USEDEFAULT, CW_USEDEFAULT,
                        frame.right - frame.left, frame.bottom - frame.top, owner, nullptr);
}

void TForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void TForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Hide();
        return 0;
    }
    return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace qm
