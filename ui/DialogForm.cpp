#include "ui/DialogForm.h"

#include <utility>

#include "ui/Application.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"
#include "ui/Window.h"

namespace qm {

void TDialogForm::CreateFromTemplate(HWND owner, int templateId) {
    if (!CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), owner,
                            &TDialogForm::DialogProc, reinterpret_cast<LPARAM>(this))) {
        if (createError_) std::rethrow_exception(std::exchange(createError_, nullptr));
        ThrowLastError("Cannot create the dialog " + std::to_string(templateId));
    }
    if (createError_) {
        // Half made: no window without its controls.
        Destroy();
        std::rethrow_exception(std::exchange(createError_, nullptr));
    }
    // Keys reach it through the dialog manager: Tab, access keys, Escape.
    Application().AddModelessWindow(handle_);
}

void TDialogForm::Destroy() {
    if (!handle_) return;
    SetWindowLongPtrW(handle_, DWLP_USER, 0);
    HWND dialog = std::exchange(handle_, nullptr);
    Application().RemoveModelessWindow(dialog);
    DestroyWindow(dialog);
}

// The object goes first: the procedure no longer reaches it.
TDialogForm::~TDialogForm() { Destroy(); }

HWND TDialogForm::Item(int id) const {
    HWND item = GetDlgItem(handle_, id);
    if (!item) ThrowLastError("The dialog has no control " + std::to_string(id));
    return item;
}

std::string TDialogForm::ItemText(int id) const { return WindowText(Item(id)); }

void TDialogForm::SetItemText(int id, const std::string& text) {
    if (!SetWindowTextW(Item(id), Widen(text).c_str())) ThrowLastError("Cannot set the text of a control");
}

void TDialogForm::Show() {
    ShowWindow(handle_, SW_SHOW);
    SetForegroundWindow(handle_);
}

void TDialogForm::Hide() { ShowWindow(handle_, SW_HIDE); }

bool TDialogForm::HandleMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR&) {
    // Escape and the title-bar button only hide the window.
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        Hide();
        return true;
    }
    return false;
}

INT_PTR CALLBACK TDialogForm::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    TDialogForm* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<TDialogForm*>(lParam);
        self->handle_ = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        try {
            self->Created();
        } catch (...) {
            self->createError_ = std::current_exception();
        }
        return FALSE;  // the form sets the focus itself
    }
    self = reinterpret_cast<TDialogForm*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(dialog, DWLP_USER, 0);
        self->handle_ = nullptr;
        return FALSE;
    }
    return Guarded(
        [&]() -> INT_PTR {
            INT_PTR result = 0;
            if (!self->HandleMessage(message, wParam, lParam, result)) return FALSE;
            // Messages whose answer is the procedure's own return value.
            switch (message) {
            case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
            case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_COMPAREITEM:
            case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
                return result;
            default:
                SetWindowLongPtrW(self->handle_, DWLP_MSGRESULT, result);
                return TRUE;
            }
        },
        static_cast<INT_PTR>(FALSE));
}

}  // namespace qm
