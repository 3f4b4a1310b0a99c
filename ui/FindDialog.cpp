#include "ui/FindDialog.h"

#include <dlgs.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/SystemError.h"

namespace qm {

namespace {
UINT FindMessage() {
    static const UINT message = RegisterWindowMessageA(FINDMSGSTRINGA);
    return message;
}
}  // namespace

TFindDialog::~TFindDialog() { CloseDialog(); }

void TFindDialog::Execute(HWND owner) {
    if (handle_ && IsWindow(handle_)) {
        ShowWindow(handle_, SW_SHOW);
        SetForegroundWindow(handle_);
        SetFocus(GetDlgItem(handle_, edt1));
        return;
    }
    FindMessage();  // registered before the dialog can send it
    const size_t length = std::min(SearchText.size(), static_cast<size_t>(kMaxText - 1));
    SearchText.copy(buffer_, length);
    buffer_[length] = '\0';
    request_ = FINDREPLACEA{};
    request_.lStructSize = sizeof request_;
    request_.hwndOwner = owner;
    request_.Flags = FR_DOWN | FR_HIDEWHOLEWORD | FR_HIDEUPDOWN | (MatchCase ? FR_MATCHCASE : 0);
    request_.lpstrFindWhat = buffer_;
    request_.wFindWhatLen = kMaxText;
    handle_ = FindTextA(&request_);
    if (!handle_) {
        const DWORD error = CommDlgExtendedError();
        throw Error("The find dialog cannot be shown (error " + std::to_string(error) + ").");
    }
    Application().AddModelessWindow(handle_);
}

void TFindDialog::CloseDialog() {
    if (!handle_) return;
    const HWND dialog = handle_;
    handle_ = nullptr;
    Application().RemoveModelessWindow(dialog);
    if (IsWindow(dialog)) DestroyWindow(dialog);
}

bool TFindDialog::HandleOwnerMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != FindMessage() || reinterpret_cast<FINDREPLACEA*>(lParam) != &request_) return false;
    if (request_.Flags & FR_DIALOGTERM) {
        // The dialog destroys itself after this message.
        Application().RemoveModelessWindow(handle_);
        handle_ = nullptr;
        return true;
    }
    if (request_.Flags & FR_FINDNEXT) {
        SearchText = buffer_;
        MatchCase = (request_.Flags & FR_MATCHCASE) != 0;
        if (OnFind) OnFind();
    }
    return true;
}

}  // namespace qm
