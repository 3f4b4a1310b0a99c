#include "ui/FindDialog.h"

#include <dlgs.h>

#include <algorithm>

#include "ui/Application.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {
UINT FindMessage() {
    static const UINT message = RegisterWindowMessageW(FINDMSGSTRINGW);
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
    const std::wstring searchText = Widen(SearchText);
    const size_t length = std::min(searchText.size(), static_cast<size_t>(kMaxText - 1));
    searchText.copy(buffer_, length);
    buffer_[length] = L'\0';
    request_ = FINDREPLACEW{};
    request_.lStructSize = sizeof request_;
    request_.hwndOwner = owner;
    request_.Flags = FR_DOWN | FR_HIDEWHOLEWORD | FR_HIDEUPDOWN | (MatchCase ? FR_MATCHCASE : 0);
    request_.lpstrFindWhat = buffer_;
    request_.wFindWhatLen = kMaxText;
    handle_ = FindTextW(&request_);
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
    if (message != FindMessage() || reinterpret_cast<FINDREPLACEW*>(lParam) != &request_) return false;
    if (request_.Flags & FR_DIALOGTERM) {
        // The dialog destroys itself after this message.
        Application().RemoveModelessWindow(handle_);
        handle_ = nullptr;
        return true;
    }
    if (request_.Flags & FR_FINDNEXT) {
        SearchText = Narrow(buffer_);
        MatchCase = (request_.Flags & FR_MATCHCASE) != 0;
        if (OnFind) OnFind();
    }
    return true;
}

}  // namespace qm
