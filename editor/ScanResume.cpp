#include "editor/ScanResume.h"

#include <algorithm>

#include "editor/ColorRules.h"

namespace qm {

namespace {

// A key found at a point depends on the characters up to its last one: the
// longest begin key, starting just before the point, reaches this far.
constexpr int32_t kReach = kMaxPairKeyLength + 1;

}  // namespace

TResumePoint TScanResume::Find(int32_t scanFrom, int32_t scanLimit, uint64_t rules, int32_t keysFrom) const {
    TResumePoint found{scanFrom, 0};
    if (!Matches(scanFrom, rules)) return found;
    auto after = std::upper_bound(points_.begin(), points_.end(), keysFrom,
                                  [](int32_t at, const TResumePoint& point) { return at < point.At; });
    // A point where a loop gave up holds only for the scan limit it was made with.
    while (after != points_.begin()) {
        --after;
        if (after->GaveUp == 0 || scanLimit == scanLimit_) return *after;
    }
    return found;
}

void TScanResume::Record(int32_t scanFrom, int32_t scanLimit, uint64_t rules, int32_t from, int32_t to,
                         const std::vector<TScanSpan>& spans, const std::vector<size_t>& loopEnds,
                         const std::vector<int32_t>& gaveUpAt, uint64_t startGaveUp) {
    if (loopEnds.size() > static_cast<size_t>(kMaxLoops) || gaveUpAt.size() != loopEnds.size()) return;
    if (!Matches(scanFrom, rules) || scanLimit != scanLimit_) {
        // Points of another scan, or points with loops given up at another limit.
        if (!Matches(scanFrom, rules)) {
            points_.clear();
        } else {
            std::erase_if(points_, [](const TResumePoint& point) { return point.GaveUp != 0; });
        }
        scanFrom_ = scanFrom;
        scanLimit_ = scanLimit;
        rules_ = rules;
    }
    // The span of a loop that covers `at` (begins before it and ends at or after it).
    auto coveringEnd = [&](size_t loop, int32_t at) -> int32_t {
        const auto first = spans.begin() + static_cast<std::ptrdiff_t>(loop == 0 ? 0 : loopEnds[loop - 1]);
        const auto last = spans.begin() + static_cast<std::ptrdiff_t>(loopEnds[loop]);
        auto after = std::upper_bound(first, last, at, [](int32_t x, const TScanSpan& span) { return x <= span.Beg; });
        if (after == first) return -1;
        --after;
        return after->End >= at ? after->End : -1;
    };
    std::vector<TResumePoint> made;
    for (int64_t step = int64_t{from} + kSpacing; step < to; step += kSpacing) {
        auto at = static_cast<int32_t>(step);
        // Past every span that covers it, in every loop, until none does.
        for (bool moved = true; moved && at < to;) {
            moved = false;
            for (size_t loop = 0; loop < loopEnds.size(); ++loop) {
                const int32_t end = coveringEnd(loop, at);
                if (end >= at) {
                    at = end + 1;
                    moved = true;
                }
            }
        }
        if (at >= to) break;
        TResumePoint point{at, startGaveUp};
        for (size_t loop = 0; loop < gaveUpAt.size(); ++loop) {
            if (gaveUpAt[loop] < at) point.GaveUp |= uint64_t{1} << loop;
        }
        made.push_back(point);
        step = at;
    }
    if (made.empty()) return;
    // The new points replace the old ones between them.
    const int32_t low = made.front().At, high = made.back().At;
    std::erase_if(points_, [&](const TResumePoint& point) { return point.At >= low && point.At <= high; });
    points_.insert(points_.end(), made.begin(), made.end());
    std::sort(points_.begin(), points_.end(),
              [](const TResumePoint& a, const TResumePoint& b) { return a.At < b.At; });
}

void TScanResume::Edited(int32_t at) {
    std::erase_if(points_, [&](const TResumePoint& point) {
        return point.GaveUp != 0 || int64_t{point.At} + kReach > at;
    });
}

}  // namespace qm
