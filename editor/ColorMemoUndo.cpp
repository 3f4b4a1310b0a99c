// TColorMemo: the history of changes behind Undo and Redo, and where the
// caret is. Every message that reaches the native control while no native
// handling runs is watched: the selection, the length and the text about to
// go are noted before it, and when the control reports a change, the change
// is worked out from what it left (a typed character, a Backspace, a paste
// over a selection are each one replacement at the selection). Nothing
// copies the whole text per keystroke: the text around the caret is read
// straight from the control's buffer.
#include "editor/ColorMemo.h"

#include <commctrl.h>

#include <algorithm>

#include "editor/TextUnits.h"
#include "ui/WaitCursor.h"

namespace qm {

namespace {

// The native control's text, lent for reading while no native handling
// runs (the control keeps it in one block of local memory).
class TNativeText {
public:
    explicit TNativeText(const TEditQueries& edit) {
        length_ = static_cast<size_t>(std::max<LRESULT>(0, edit.Send(WM_GETTEXTLENGTH)));
        handle_ = reinterpret_cast<HLOCAL>(edit.Send(EM_GETHANDLE));
        data_ = handle_ ? static_cast<const char16_t*>(LocalLock(handle_)) : nullptr;
        if (!data_) {  // a control that does not lend its buffer
            copy_.resize(length_ + 1);
            copy_.resize(static_cast<size_t>(edit.GetText(copy_.data(), static_cast<int32_t>(copy_.size()))));
            length_ = copy_.size();
        }
    }
    ~TNativeText() {
        if (data_) LocalUnlock(handle_);
    }
    TNativeText(const TNativeText&) = delete;
    TNativeText& operator=(const TNativeText&) = delete;
    std::u16string_view View() const { return data_ ? std::u16string_view(data_, length_) : std::u16string_view(copy_); }

private:
    HLOCAL handle_ = nullptr;
    const char16_t* data_ = nullptr;
    size_t length_ = 0;
    std::u16string copy_;
};

// Messages after which the caret may stand elsewhere although the text
// stayed (the others that keep the text leave the caret too).
bool MayMoveCaret(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: case EM_SETSEL: case WM_KEYUP:
        return true;
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) != 0;
    default:
        return false;
    }
}

// Messages that may replace the selection; before others a large selection
// is not copied (should one of them change the text after all, the history
// starts again there).
bool Edits(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CHAR: case WM_UNICHAR: case WM_IME_CHAR: case WM_IME_COMPOSITION: case WM_PASTE: case WM_CUT:
    case WM_CLEAR: case EM_REPLACESEL: case WM_CONTEXTMENU:
        return true;
    case WM_KEYDOWN:
        return wParam == VK_DELETE || wParam == VK_BACK || wParam == VK_INSERT;
    default:
        return false;
    }
}

constexpr size_t kLargeSelection = 65536;
constexpr size_t kAround = 8;  // units kept on each side of a caret

}  // namespace

struct TColorMemo::TEditBefore {
    DWORD SelStart = 0, SelEnd = 0;
    size_t Length = 0;
    bool Known = false;           // Removed holds the selection
    std::u16string Removed;       // the selection, or the text at the caret
    size_t From = 0;              // where Removed starts in the text
    std::u16string Whole;         // WM_SETTEXT: the text it replaces
    uint64_t Changes = 0;
    uint64_t Moves = 0;
};

LRESULT TColorMemo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (UndoMessage(message, wParam, result)) return result;
    struct Depth {
        int& depth;
        ~Depth() { --depth; }
    } depth{++messageDepth_};
    result = HandleNative(message, wParam, lParam);
    if (messageDepth_ == 1 && handle_ && (!KeepsText(message) || MayMoveCaret(message, wParam))) NoteState();
    return result;
}

bool TColorMemo::UndoMessage(UINT message, WPARAM wParam, LRESULT& result) {
    switch (message) {
    case WM_UNDO:
    case EM_UNDO:
        result = CanUndo() ? TRUE : FALSE;
        Undo();
        return true;
    case EM_CANUNDO:
        result = CanUndo() ? TRUE : FALSE;
        return true;
    case WM_CHAR:
        // The native control's Ctrl+Z; Ctrl+Y goes forward again.
        if (wParam != 0x1A && wParam != 0x19) return false;
        result = 0;
        if (wParam == 0x1A) Undo(); else Redo();
        return true;
    case EM_EMPTYUNDOBUFFER:
        ClearUndo();
        return false;
    default:
        return false;
    }
}

LRESULT TColorMemo::RecordedHandling(UINT message, WPARAM wParam, LPARAM lParam) {
    struct Native {
        int& depth;
        ~Native() { --depth; }
    };
    if (applying_ || recreating_ || nativeDepth_ > 0 || KeepsText(message) || !handle_) {
        Native native{++nativeDepth_};
        return DefSubclassProc(handle_, message, wParam, lParam);
    }
    TEditBefore before;
    raw_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&before.SelStart), reinterpret_cast<LPARAM>(&before.SelEnd));
    before.Changes = changeCount_;
    before.Moves = historyMoves_;
    {
        const TNativeText text(raw_);
        const std::u16string_view view = text.View();
        before.Length = view.size();
        const size_t start = std::min<size_t>(before.SelStart, view.size());
        const size_t end = std::clamp<size_t>(before.SelEnd, start, view.size());
        if (message == WM_SETTEXT) {
            before.Whole.assign(view);
        } else if (end > start) {
            if (end - start <= kLargeSelection || Edits(message, wParam)) {
                before.Removed.assign(view.substr(start, end - start));
                before.From = start;
                before.Known = true;
            }
        } else {
            // Around the caret; Ctrl+Delete takes the rest of the line.
            size_t to = std::min(view.size(), start + kAround);
            if (message == WM_KEYDOWN && wParam == VK_DELETE) {
                const size_t lineEnd = view.find(u'\r', start);
                to = lineEnd == std::u16string_view::npos ? view.size() : std::min(view.size(), lineEnd + 2);
            }
            before.From = start > kAround ? start - kAround : 0;
            before.Removed.assign(view.substr(before.From, to - before.From));
            before.Known = true;
        }
    }
    LRESULT result;
    {
        Native native{++nativeDepth_};
        result = DefSubclassProc(handle_, message, wParam, lParam);
    }
    // (A multi-line control reports no change for WM_SETTEXT.)
    if (handle_ && before.Moves == historyMoves_ && (before.Changes != changeCount_ || message == WM_SETTEXT)) {
        Record(before, message, wParam);
    }
    return result;
}

// The change since `before`: the selection replaced (typing, paste, cut,
// clear, EM_REPLACESEL), or without a selection the text inserted at the
// caret, or what Backspace or Delete took before or after it.
void TColorMemo::Record(const TEditBefore& before, UINT message, WPARAM wParam) {
    const TNativeText text(raw_);
    const std::u16string_view now = text.View();
    DWORD selStart = 0, selEnd = 0;
    raw_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const auto selected = static_cast<int32_t>(before.SelEnd - before.SelStart);
    if (message == WM_SETTEXT) {
        if (now != before.Whole) {
            history_.Record(TTextChange{0, before.Whole, std::u16string(now)}, TChangeKind::Other,
                            static_cast<int32_t>(before.SelStart), selected);
        }
        return;
    }
    const int64_t grown = static_cast<int64_t>(now.size()) - static_cast<int64_t>(before.Length);
    int64_t at = before.SelStart, removed = selected;
    if (selected == 0 && grown < 0) {
        removed = -grown;
        if (selStart < before.SelStart) at -= removed;  // Backspace
    }
    const int64_t inserted = grown + removed;
    const int64_t from = at - static_cast<int64_t>(before.From);
    if (!before.Known || inserted < 0 || at + inserted > static_cast<int64_t>(now.size()) || from < 0 ||
        from + removed > static_cast<int64_t>(before.Removed.size())) {
        // A change of a kind not foreseen: the history cannot reach back past it.
        history_.Clear(false);
        return;
    }
    TChangeKind kind = TChangeKind::Other;
    if (message == WM_CHAR && wParam == VK_BACK) {
        kind = TChangeKind::Erased;
    } else if (message == WM_CHAR && (wParam >= 0x20 || wParam == '\r' || wParam == '\t')) {
        kind = TChangeKind::Typed;
    } else if (message == WM_KEYDOWN && wParam == VK_DELETE && GetKeyState(VK_SHIFT) >= 0) {
        kind = TChangeKind::Erased;
    }
    history_.Record(TTextChange{static_cast<int32_t>(at),
                                before.Removed.substr(static_cast<size_t>(from), static_cast<size_t>(removed)),
                                std::u16string(now.substr(static_cast<size_t>(at), static_cast<size_t>(inserted)))},
                    kind, static_cast<int32_t>(before.SelStart), selected);
}

void TColorMemo::Undo() { MoveInHistory(true); }

void TColorMemo::Redo() { MoveInHistory(false); }

void TColorMemo::MoveInHistory(bool undo) {
    if (readOnly_ || !handle_) return;
    const TUndoStep* step = undo ? history_.Undo() : history_.Redo();
    if (!step) return;
    ++historyMoves_;
    {
        struct Applying {
            bool& flag;
            ~Applying() { flag = false; }
        } applying{applying_ = true};
        ApplyStep(*step, undo);
    }
    // Undo selects what was selected before the step; Redo leaves the caret
    // after the step's last change.
    if (undo) {
        raw_.Send(EM_SETSEL, static_cast<WPARAM>(step->SelStart), static_cast<LPARAM>(step->SelStart + step->SelLength));
    } else {
        const TTextChange& last = step->Changes.back();
        const auto caret = static_cast<WPARAM>(last.At + static_cast<int32_t>(last.Inserted.size()));
        raw_.Send(EM_SETSEL, caret, static_cast<LPARAM>(caret));
    }
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
    raw_.Send(EM_SETMODIFY, history_.AtSaved() ? FALSE : TRUE);
    NoteState();
}

// A few changes one by one; many (Replace All) as one new text.
void TColorMemo::ApplyStep(const TUndoStep& step, bool undo) {
    constexpr size_t kOneByOne = 16;
    if (step.Changes.size() <= kOneByOne) {
        auto apply = [&](const TTextChange& change) {
            const std::u16string& gone = undo ? change.Inserted : change.Removed;
            const std::u16string& comes = undo ? change.Removed : change.Inserted;
            raw_.Send(EM_SETSEL, static_cast<WPARAM>(change.At), static_cast<LPARAM>(change.At + static_cast<int32_t>(gone.size())));
            SendMessageW(handle_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(comes.c_str()));
        };
        if (undo) {
            std::for_each(step.Changes.rbegin(), step.Changes.rend(), apply);
        } else {
            std::for_each(step.Changes.begin(), step.Changes.end(), apply);
        }
        return;
    }
    WaitCursor wait;
    std::u16string text;
    {
        const TNativeText now(raw_);
        text = TextAcross(now.View(), step, undo);
    }
    SetText(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
}

void TColorMemo::ReplaceWholeText(std::u16string text, std::vector<TTextChange> changes) {
    if (changes.empty()) return;
    DWORD selStart = 0, selEnd = 0;
    raw_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    std::u16string old;
    {
        const TNativeText now(raw_);
        old.assign(now.View());
    }
    size_t changeBytes = 0;
    for (const TTextChange& change : changes) {
        changeBytes += sizeof(TTextChange) + (change.Removed.size() + change.Inserted.size()) * sizeof(char16_t);
    }
    {
        struct Applying {
            bool& flag;
            ~Applying() { flag = false; }
        } applying{applying_ = true};
        try {
            SetText(std::wstring_view(reinterpret_cast<const wchar_t*>(text.data()), text.size()));
        } catch (...) {
            // The control cleared itself: the text it had comes back.
            SetText(std::wstring_view(reinterpret_cast<const wchar_t*>(old.data()), old.size()));
            throw;
        }
    }
    if (changeBytes > (old.size() + text.size()) * sizeof(char16_t)) {
        changes.assign(1, TTextChange{0, std::move(old), std::move(text)});
    }
    history_.BeginGroup();
    for (TTextChange& change : changes) {
        history_.Record(std::move(change), TChangeKind::Other, static_cast<int32_t>(selStart),
                        static_cast<int32_t>(selEnd - selStart));
    }
    history_.EndGroup();
    const auto caret = static_cast<WPARAM>(std::min<LRESULT>(selStart, raw_.Send(WM_GETTEXTLENGTH)));
    raw_.Send(EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
    raw_.Send(EM_SETMODIFY, history_.AtSaved() ? FALSE : TRUE);
    NoteState();
}

void TColorMemo::NoteState() {
    if (!handle_) return;
    DWORD selStart = 0, selEnd = 0;
    raw_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const bool moved = selStart != notedSelStart_ || selEnd != notedSelEnd_ || changeCount_ != notedChanges_;
    if (moved) {
        // The caret is at the end of the selection that moved (Shift+Left
        // moves its start).
        caret_ = selStart != notedSelStart_ && selEnd == notedSelEnd_ ? selStart : selEnd;
        notedSelStart_ = selStart;
        notedSelEnd_ = selEnd;
        notedChanges_ = changeCount_;
    }
    const bool modified = raw_.Send(EM_GETMODIFY) != 0;
    if (modified != notedModified_) {
        notedModified_ = modified;
        if (OnModifiedChange) OnModifiedChange();
    }
    if (moved && OnSelChange) OnSelChange();
}

void TColorMemo::CaretPosition(int& line, int& column) const {
    DWORD selStart = 0, selEnd = 0;
    raw_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const DWORD caret = caret_ >= selStart && caret_ <= selEnd ? caret_ : selEnd;
    const TNativeText text(raw_);
    const std::u16string_view view = text.View().substr(0, std::min<size_t>(caret, text.View().size()));
    // The line starts after the last line break before the caret.
    const size_t breakAt = view.rfind(u'\n');
    const size_t start = breakAt == std::u16string_view::npos ? 0 : breakAt + 1;
    if (wordWrap_) {
        line = 1 + static_cast<int>(std::count(view.begin(), view.begin() + static_cast<ptrdiff_t>(start), u'\n'));
    } else {
        line = 1 + static_cast<int>(raw_.Send(EM_LINEFROMCHAR, caret));
    }
    column = 1;
    for (size_t i = start; i < view.size(); ++i) {
        if (!(IsLowSurrogate(view[i]) && i > start && IsHighSurrogate(view[i - 1]))) ++column;
    }
}

void TColorMemo::GoToLine(int line) {
    size_t start = 0;
    {
        const TNativeText text(raw_);
        const std::u16string_view view = text.View();
        for (int at = 1; at < line; ++at) {
            const size_t breakAt = view.find(u'\n', start);
            // The empty line after a final line break is none of the text's.
            if (breakAt == std::u16string_view::npos || breakAt + 1 == view.size()) break;
            start = breakAt + 1;
        }
    }
    raw_.Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(start));
    SendMessageW(handle_, EM_SCROLLCARET, 0, 0);
    NoteState();
}

}  // namespace qm
