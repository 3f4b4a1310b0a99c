// A document's history of changes for Undo and Redo. Window-free.
//
// A change replaces the text at one offset: `Removed` goes, `Inserted`
// comes. A step is one or more changes undone together (a typed word, a
// paste, an inserted tag, every replacement of Replace All). Typing joins the
// step before it while it goes on from where that step ended: characters of
// one word and the blanks after it, or Backspaces and Deletes one after the
// other. The history keeps at most a given number of bytes of removed and
// inserted text, dropping its oldest steps first, and knows whether the text
// is the one last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

struct TTextChange {
    int32_t At = 0;
    std::u16string Removed;
    std::u16string Inserted;
};

// How a change came about: typing may join the step before; others never do.
enum class TChangeKind { Typed, Erased, Other };

struct TUndoStep {
    std::vector<TTextChange> Changes;  // in the order they were made
    int32_t SelStart = 0, SelLength = 0;  // the selection before the step
    TChangeKind Kind = TChangeKind::Other;
    size_t Bytes() const;
};

class TUndoHistory {
public:
    static constexpr size_t kDefaultLimit = size_t{64} * 1024 * 1024;

    explicit TUndoHistory(size_t limitBytes = kDefaultLimit) : limit_(limitBytes) {}

    // A change made to the text; clears the steps that could be redone.
    // `selStart`/`selLength`: the selection just before it.
    void Record(TTextChange change, TChangeKind kind, int32_t selStart, int32_t selLength);
    // The changes recorded until EndGroup form one step.
    void BeginGroup();
    void EndGroup();
    // The next change starts a step of its own.
    void Seal() { sealed_ = true; }

    bool CanUndo() const { return done_ > 0; }
    bool CanRedo() const { return done_ < steps_.size(); }
    // The step to take back (its changes undone last to first), or nullptr.
    const TUndoStep* Undo();
    // The step to make again (its changes first to last), or nullptr.
    const TUndoStep* Redo();

    // The text now is the one on disk.
    void MarkSaved();
    // The text on disk is no longer any of the history's (its encoding changed).
    void ForgetSaved() { saved_ = -1; }
    bool AtSaved() const { return saved_ == static_cast<int64_t>(done_); }
    // Forgets every step (a text set anew); the text counts as saved or not.
    void Clear(bool saved);

    size_t Bytes() const { return bytes_; }
    size_t StepCount() const { return steps_.size(); }

private:
    bool Joins(const TTextChange& change, TChangeKind kind) const;
    void DropRedo();
    void Trim();

    std::deque<TUndoStep> steps_;
    size_t done_ = 0;     // steps_[0 .. done_) are in the text
    int64_t saved_ = 0;   // done_ at the last save; -1: no longer reachable
    size_t bytes_ = 0;
    size_t limit_;
    int groupDepth_ = 0;
    bool groupOpen_ = false;  // a group's step has been started
    bool sealed_ = true;
};

// The text on the other side of a step, made in one pass when its changes
// run forward through the text (Replace All), else change by change: before
// the step (`undo`, from the text after it) or after it (from the text
// before it). Changes that do not fit the text throw std::out_of_range.
std::u16string TextAcross(std::u16string_view text, const TUndoStep& step, bool undo);

}  // namespace qm
