// The system's find dialog, shown without being modal. It searches down;
// its whole-word and direction controls are hidden, its match-case box is
// shown. The owner window hands it its messages (HandleOwnerMessage): the
// dialog reports "Find Next" there.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace qm {

class TFindDialog {
public:
    TFindDialog() = default;
    ~TFindDialog();
    TFindDialog(const TFindDialog&) = delete;
    TFindDialog& operator=(const TFindDialog&) = delete;

    // The text to find (UTF-8) and the match-case box; the dialog opens
    // with them and sets them on every "Find Next".
    std::string SearchText;
    bool MatchCase = false;

    // "Find Next" was pressed.
    std::function<void()> OnFind;

    // Shows the dialog, or brings it to the front when it is shown already.
    // It is registered with the application's message loop, so that its
    // keys (Tab, Enter, Escape, access keys) work.
    void Execute(HWND owner);
    // Closes it when it is shown.
    void CloseDialog();
    HWND Handle() const { return handle_; }

    // The owner's messages: true when it was this dialog's notification.
    bool HandleOwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static constexpr WORD kMaxText = 1024;
    FINDREPLACEW request_{};
    wchar_t buffer_[kMaxText] = {};
    HWND handle_ = nullptr;
};

}  // namespace qm
