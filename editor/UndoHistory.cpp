#include "editor/UndoHistory.h"

#include <stdexcept>
#include <utility>

namespace qm {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

size_t ChangeBytes(const TTextChange& change) {
    return (change.Removed.size() + change.Inserted.size()) * sizeof(char16_t) + sizeof(TTextChange);
}

}  // namespace

size_t TUndoStep::Bytes() const {
    size_t bytes = sizeof(TUndoStep);
    for (const TTextChange& change : Changes) bytes += ChangeBytes(change);
    return bytes;
}

bool TUndoHistory::Joins(const TTextChange& change, TChangeKind kind) const {
    if (sealed_ || done_ == 0 || done_ != steps_.size() || saved_ == static_cast<int64_t>(done_)) return false;
    const TUndoStep& last = steps_.back();
    if (last.Kind != kind || last.Changes.size() != 1) return false;
    const TTextChange& before = last.Changes.front();
    if (kind == TChangeKind::Typed) {
        // One character or a surrogate pair typed right after the last one,
        // over no selection; a word ends at the first letter after a blank.
        if (!change.Removed.empty() || change.Inserted.empty() || change.Inserted.size() > 2) return false;
        if (change.At != before.At + static_cast<int32_t>(before.Inserted.size())) return false;
        if (!before.Removed.empty()) return false;
        const char16_t next = change.Inserted.front();
        if (next == u'\r' || next == u'\n') return false;
        return !(IsBlank(before.Inserted.back()) && !IsBlank(next));
    }
    if (kind == TChangeKind::Erased) {
        if (!change.Inserted.empty() || change.Removed.empty()) return false;
        // Backspace: the removed text ends where the last began; Delete: it
        // starts where the last began.
        return change.At + static_cast<int32_t>(change.Removed.size()) == before.At || change.At == before.At;
    }
    return false;
}

void TUndoHistory::Record(TTextChange change, TChangeKind kind, int32_t selStart, int32_t selLength) {
    if (change.Removed.empty() && change.Inserted.empty()) return;
    DropRedo();
    const size_t added = ChangeBytes(change);
    if (groupDepth_ > 0 && groupOpen_) {
        steps_.back().Changes.push_back(std::move(change));
    } else if (groupDepth_ == 0 && Joins(change, kind)) {
        TTextChange& before = steps_.back().Changes.front();
        if (kind == TChangeKind::Typed) {
            before.Inserted += change.Inserted;
        } else if (change.At == before.At) {  // Delete
            before.Removed += change.Removed;
        } else {  // Backspace
            before.Removed.insert(0, change.Removed);
            before.At = change.At;
        }
        bytes_ += added - sizeof(TTextChange);
        Trim();
        return;
    } else {
        TUndoStep step;
        step.Changes.push_back(std::move(change));
        step.SelStart = selStart;
        step.SelLength = selLength;
        step.Kind = groupDepth_ > 0 ? TChangeKind::Other : kind;
        steps_.push_back(std::move(step));
        ++done_;
        bytes_ += sizeof(TUndoStep);
        groupOpen_ = groupDepth_ > 0;
    }
    bytes_ += added;
    sealed_ = kind == TChangeKind::Other;
    Trim();
}

void TUndoHistory::BeginGroup() {
    if (groupDepth_++ == 0) groupOpen_ = false;
}

void TUndoHistory::EndGroup() {
    if (groupDepth_ > 0 && --groupDepth_ == 0) {
        groupOpen_ = false;
        sealed_ = true;
    }
}

const TUndoStep* TUndoHistory::Undo() {
    if (!CanUndo()) return nullptr;
    sealed_ = true;
    return &steps_[--done_];
}

const TUndoStep* TUndoHistory::Redo() {
    if (!CanRedo()) return nullptr;
    sealed_ = true;
    return &steps_[done_++];
}

void TUndoHistory::MarkSaved() {
    saved_ = static_cast<int64_t>(done_);
    sealed_ = true;
}

void TUndoHistory::Clear(bool saved) {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    saved_ = saved ? 0 : -1;
    sealed_ = true;
    groupOpen_ = false;
}

void TUndoHistory::DropRedo() {
    if (done_ == steps_.size()) return;
    if (saved_ > static_cast<int64_t>(done_)) saved_ = -1;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back().Bytes();
        steps_.pop_back();
    }
}

void TUndoHistory::Trim() {
    // The newest step stays, however large.
    while (bytes_ > limit_ && steps_.size() > 1 && done_ > 0) {
        bytes_ -= steps_.front().Bytes();
        steps_.pop_front();
        --done_;
        saved_ = saved_ > 0 ? saved_ - 1 : -1;
    }
}

namespace {

// Each change lies after the text the one before it inserted.
bool RunsForward(const std::vector<TTextChange>& changes) {
    for (size_t i = 1; i < changes.size(); ++i) {
        const TTextChange& before = changes[i - 1];
        if (int64_t{changes[i].At} < int64_t{before.At} + static_cast<int64_t>(before.Inserted.size())) return false;
    }
    return true;
}

void Replace(std::u16string& text, int64_t at, size_t length, std::u16string_view with) {
    if (at < 0 || static_cast<size_t>(at) > text.size() || length > text.size() - static_cast<size_t>(at)) {
        throw std::out_of_range("an undo step does not fit the text");
    }
    text.replace(static_cast<size_t>(at), length, with);
}

}  // namespace

std::u16string TextAcross(std::u16string_view text, const TUndoStep& step, bool undo) {
    const std::vector<TTextChange>& changes = step.Changes;
    if (!RunsForward(changes)) {
        std::u16string result(text);
        if (undo) {
            for (auto change = changes.rbegin(); change != changes.rend(); ++change)
                Replace(result, change->At, change->Inserted.size(), change->Removed);
        } else {
            for (const TTextChange& change : changes) Replace(result, change.At, change.Removed.size(), change.Inserted);
        }
        return result;
    }
    // After the step every change's inserted text stands at its own offset;
    // before it, at that offset less what the changes before it added.
    std::u16string result;
    size_t from = 0;
    int64_t shift = 0;
    for (const TTextChange& change : changes) {
        const std::u16string& gone = undo ? change.Inserted : change.Removed;
        const std::u16string& comes = undo ? change.Removed : change.Inserted;
        const int64_t at = int64_t{change.At} - shift;
        if (at < static_cast<int64_t>(from) || static_cast<size_t>(at) + gone.size() > text.size()) {
            throw std::out_of_range("an undo step does not fit the text");
        }
        if (result.empty()) result.reserve(text.size() + text.size() / 8);
        result.append(text.substr(from, static_cast<size_t>(at) - from));
        result += comes;
        from = static_cast<size_t>(at) + gone.size();
        if (!undo) shift += static_cast<int64_t>(change.Inserted.size()) - static_cast<int64_t>(change.Removed.size());
    }
    result.append(text.substr(from));
    return result;
}

}  // namespace qm
