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

// Copies a UTF-8 text into a dialog's buffer of `size` characters.
void Fill(wchar_t* buffer, size_t size, const std::string& text) {
    const std::wstring wide = Widen(text);
    const size_t length = std::min(wide.size(), size - 1);
    wide.copy(buffer, length);
    buffer[length] = L'\0';
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
    Fill(buffer_, kMaxText, SearchText);
    request_ = FINDREPLACEW{};
    request_.lStructSize = sizeof request_;
    request_.hwndOwner = owner;
    request_.Flags = FR_DOWN | FR_HIDEWHOLEWORD | FR_HIDEUPDOWN | (MatchCase ? FR_MATCHCASE : 0);
    request_.lpstrFindWhat = buffer_;
    request_.wFindWhatLen = kMaxText;
    if (replace_) {
        Fill(replaceBuffer_, kMaxText, ReplaceWith);
        request_.lpstrReplaceWith = replaceBuffer_;
        request_.wReplaceWithLen = kMaxText;
    }
    handle_ = replace_ ? ReplaceTextW(&request_) : FindTextW(&request_);
    if (!handle_) {
        const DWORD error = CommDlgExtendedError();
        throw Error(std::string(replace_ ? "The replace dialog" : "The find dialog") + " cannot be shown (error " +
                    std::to_string(error) + ").");
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
    SearchText = Narrow(buffer_);
    MatchCase = (request_.Flags & FR_MATCHCASE) != 0;
    if (replace_) ReplaceWith = Narrow(replaceBuffer_);
    if ((request_.Flags & FR_FINDNEXT) && OnFind) OnFind();
    if ((request_.Flags & FR_REPLACE) && OnReplace) OnReplace();
    if ((request_.Flags & FR_REPLACEALL) && OnReplaceAll) OnReplaceAll();
    return true;
}

}  // namespace qm
