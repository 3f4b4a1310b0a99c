// The system's find dialog, or its replace dialog, shown without being
// modal. It searches down; its whole-word and direction controls are hidden,
// its match-case box is shown. The owner window hands it its messages
// (HandleOwnerMessage): the dialog reports "Find Next", "Replace" and
// "Replace All" there.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <functional>
#include <string>

namespace qm {

class TFindDialog {
public:
    explicit TFindDialog(bool replace = false) : replace_(replace) {}
    ~TFindDialog();
    TFindDialog(const TFindDialog&) = delete;
    TFindDialog& operator=(const TFindDialog&) = delete;

    // The text to find (UTF-8) and the match-case box; the dialog opens
    // with them and sets them on every "Find Next".
    std::string SearchText;
    bool MatchCase = false;

    // The replacing text (UTF-8) of the replace dialog.
    std::string ReplaceWith;

    // "Find Next" was pressed.
    std::function<void()> OnFind;
    // The replace dialog's "Replace" and "Replace All".
    std::function<void()> OnReplace;
    std::function<void()> OnReplaceAll;

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
    wchar_t replaceBuffer_[kMaxText] = {};
    bool replace_;
    HWND handle_ = nullptr;
};

}  // namespace qm
