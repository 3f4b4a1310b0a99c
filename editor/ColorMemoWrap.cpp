// Word wrap and scroll bars: the native EDIT control takes them only when it
// is made, so the control makes its window again and carries over what the
// user sees of the document.
#include "editor/ColorMemo.h"

#include <algorithm>

#include "ui/WaitCursor.h"

namespace qm {

void TColorMemo::SetWordWrap(bool wordWrap) { SetWordWrap(wordWrap, scrollBars_); }

void TColorMemo::SetScrollBars(TScrollStyle scrollBars) { SetWordWrap(wordWrap_, scrollBars); }

void TColorMemo::SetWordWrap(bool wordWrap, TScrollStyle scrollBars) {
    if (wordWrap == wordWrap_ && scrollBars == scrollBars_) return;
    wordWrap_ = wordWrap;
    scrollBars_ = scrollBars;
    Recreate();
}

// Makes the EDIT control again with the text, selection, modified mark and
// focus it had, and the text that stood at the top of the view at the top
// again (its line may have moved when the wrapping changed). The undo step
// of the old window is lost with it.
void TColorMemo::Recreate() {
    WaitCursor wait;
    const std::wstring text = Text();
    const int selStart = SelStart(), selLength = SelLength();
    const bool modified = Modified();
    const bool focused = GetFocus() == handle_;
    const LRESULT firstLine = SendMessageW(handle_, EM_GETFIRSTVISIBLELINE, 0, 0);
    const LRESULT firstChar = std::max<LRESULT>(0, SendMessageW(handle_, EM_LINEINDEX, firstLine, 0));
    // Putting the text back is no change of the user's.
    struct Recreating {
        bool& flag;
        ~Recreating() { flag = false; }
    } recreating{recreating_ = true};
    // The new window takes the text before the old one goes, so that a
    // text it cannot hold is never lost: the old window then stays.
    const HWND old = handle_;
    DetachNative();
    try {
        CreateNative();
        SetText(text);
    } catch (...) {
        if (handle_) DestroyNative();
        AttachNative(old);
        throw;
    }
    // The focus goes over before the old window can hand it to the parent.
    if (focused) SetFocus();
    DestroyEditWindow(old);
    SetSelection(selStart, selLength);
    const LRESULT topLine = SendMessageW(handle_, EM_LINEFROMCHAR, static_cast<WPARAM>(firstChar), 0);
    const LRESULT nowFirst = SendMessageW(handle_, EM_GETFIRSTVISIBLELINE, 0, 0);
    if (topLine != nowFirst) SendMessageW(handle_, EM_LINESCROLL, 0, topLine - nowFirst);
    SetModified(modified);
    InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace qm
