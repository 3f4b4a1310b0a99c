// Where a paint's key searches may start again without going back to the
// start of the scanned lines. Window-free.
//
// The pair, line-end and hot-spot rules search from left to right, one key
// after another. At a point where none of their loops is inside a key (no
// loop's span covers it), a loop started there finds exactly the keys the
// loop from ScanFrom finds from there on; a loop that has given up before
// the point (a begin key without its end) stays given up. A paint of the
// middle of a long line therefore scans from the last such point before its
// first visible character instead of from the line's start.
//
// Points hold for one scan start, one scan limit (for the loops that gave
// up) and one set of rules (their fingerprint). A point depends on the text
// from the scan start to a few characters past it: a change of the text
// drops every point from a little before the change on.
#pragma once

#include <cstdint>
#include <vector>

#include "editor/KeyScanner.h"

namespace qm {

// One point: where, and which loops have given up there (bit n: loop n).
struct TResumePoint {
    int32_t At = 0;
    uint64_t GaveUp = 0;
};

class TScanResume {
public:
    // Points are made this far apart (characters), at the first clean place
    // at or after each step.
    static constexpr int32_t kSpacing = 4096;
    // The most loops a point can tell apart.
    static constexpr int kMaxLoops = 64;

    // The last point at or before `keysFrom` for this scan; ScanFrom itself
    // when there is none.
    TResumePoint Find(int32_t scanFrom, int32_t scanLimit, uint64_t rules, int32_t keysFrom) const;

    // Adds points between `from` and `to` from the spans of the loops of a
    // scan that started at `from` and found every key beginning before `to`.
    // `spans` holds the loops' spans one loop after another, loop n from
    // `loopEnds[n - 1]` (0 for the first) to `loopEnds[n]`; `gaveUpAt[n]` is
    // where loop n gave up (INT32_MAX: never); `startGaveUp` the loops given
    // up at `from`, which did not run.
    void Record(int32_t scanFrom, int32_t scanLimit, uint64_t rules, int32_t from, int32_t to,
                const std::vector<TScanSpan>& spans, const std::vector<size_t>& loopEnds,
                const std::vector<int32_t>& gaveUpAt, uint64_t startGaveUp);

    // The text changed from offset `at` on: points that depend on it go, and
    // so do all points where a loop had given up (whether it still would
    // depends on the text after them).
    void Edited(int32_t at);
    void Clear() { points_.clear(); }

    size_t Count() const { return points_.size(); }

private:
    bool Matches(int32_t scanFrom, uint64_t rules) const {
        return !points_.empty() && scanFrom == scanFrom_ && rules == rules_;
    }

    int32_t scanFrom_ = 0, scanLimit_ = 0;
    uint64_t rules_ = 0;
    std::vector<TResumePoint> points_;  // in order of At
};

}  // namespace qm
