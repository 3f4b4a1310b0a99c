#include "editor/ColorPainter.h"

#include <algorithm>

#include "editor/TextUnits.h"

namespace qm {

namespace {

int32_t Saturate(int64_t Value) {
    return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

bool SameRun(const TColorCell& A, const TColorCell& B) {
    return A.Color == B.Color && A.ZOrder == B.ZOrder && A.ByEvent == B.ByEvent;
}

// Which cell the two halves of a pair both take.
const TColorCell& PairCell(const TColorCell& First, const TColorCell& Second) {
    const bool second = Second.ZOrder > First.ZOrder || (Second.ZOrder == First.ZOrder && Second.Covered && !First.Covered);
    return second ? Second : First;
}

}  // namespace

TColorPainter::TColorPainter(TColorMemo* Memo) : ColorRules(Memo) {}

void TColorPainter::SetColorLimMax(int Value) {
    if (Value == FColorLimMax) return;
    std::vector<TKeyDescr> buffer;
    if (Value > 0) buffer.resize(static_cast<size_t>(Value));
    FDrawEventBuf.swap(buffer);
    FColorLimMax = Value;
}

int TColorPainter::BuildRuns(const TScanSnapshot& Snapshot, const TPaintInput& Input) {
    return MergeRuns(Snapshot, ScanKeys(Snapshot, Input), Input.KeysFrom, Input.KeysTo);
}

bool TColorPainter::Resumable() const {
    if (ColorRules.Count() + 1 > TScanResume::kMaxLoops) return false;
    for (int i = 0; i < ColorRules.Count(); ++i) {
        const TColorRule& rule = ColorRules.Items(i);
        if (!rule.Enabled) continue;
        if (rule.KeyDrawingType == dtKeyShow && !rule.KeywordEntries.empty()) return false;
        if (rule.KeyDrawingType == dtEventDraw && !FDrawEventBuf.empty()) return false;
    }
    return true;
}

uint64_t TColorPainter::SearchPrint() const {
    uint64_t print = 14695981039346656037ULL;
    auto add = [&](uint64_t value) { print = (print ^ value) * 1099511628211ULL; };
    add(HotSpot.Active && HotSpot.BeginChar != 0);
    add(HotSpot.BeginChar);
    add(HotSpot.EndChar);
    add(static_cast<uint64_t>(ColorRules.Count()));
    for (int i = 0; i < ColorRules.Count(); ++i) {
        const TColorRule& rule = ColorRules.Items(i);
        add(rule.Enabled);
        add(static_cast<uint64_t>(rule.KeyDrawingType));
        if (!rule.KeyTable) continue;
        for (const TKeyPair& entry : *rule.KeyTable) {
            if (entry.BegKey[0] == 0) break;
            for (const char16_t c : entry.BegKey) add(c);
            for (const char16_t c : entry.EndKey) add(c);
        }
        add(0xFFFF);
    }
    return print;
}

int TColorPainter::ScanKeys(const TScanSnapshot& Snapshot, const TPaintInput& Input) {
    TKeyScanner scanner(Snapshot, KeyList);
    scanner.OnDraw = &OnDraw;
    scanner.DrawEventBuf = &FDrawEventBuf;
    scanner.EventText = &FEventText;
    ColorRules.PrepareRules();

    // Slots past the ones the last paint wrote are empty already (a list
    // grown since is marked whole).
    if (KeyList.Count() != FCountAfter) {
        KeyList.MarkAllEmpty();
    } else {
        for (int i = 0; i < std::min(FWritten, KeyList.Count()); ++i) KeyList[i].KeyBeg = kEmptyKey;
    }
    MinKeyPos = MaxKeyPos = -1;

    // The searches start at the last resume point before the wanted part.
    const int32_t keysFrom =
        Input.KeysFrom < 0 ? Snapshot.ScanFrom : std::clamp(Input.KeysFrom, Snapshot.ScanFrom, Snapshot.ScanLimit);
    const int32_t keysTo =
        Input.KeysTo < 0 ? Snapshot.ScanLimit : std::clamp(Input.KeysTo, keysFrom, Snapshot.ScanLimit);
    const bool resumable = Resumable();
    const uint64_t print = resumable ? SearchPrint() : 0;
    TResumePoint start{Snapshot.ScanFrom, 0};
    if (resumable) start = Resume.Find(Snapshot.ScanFrom, Snapshot.ScanLimit, print, keysFrom);
    scanner.StartAt = start.At;
    scanner.KeysTo = keysTo;
    FSpans.clear();
    FLoopEnds.clear();
    FGaveUpAt.clear();
    if (resumable) scanner.Spans = &FSpans;
    // Loop 0 the hot spots, loop 1 + i rule i.
    auto endLoop = [&](int32_t gaveUpAt) {
        FLoopEnds.push_back(FSpans.size());
        FGaveUpAt.push_back(gaveUpAt);
    };
    auto gaveUp = [&](int loop) { return (start.GaveUp >> loop) & 1; };

    int index = 0;
    if (HotSpot.Active && HotSpot.BeginChar != 0 && !gaveUp(0)) {
        index = scanner.ScanHotSpots(HotSpot, index);
        endLoop(scanner.GaveUpAt);
    } else {
        endLoop(INT32_MAX);
    }
    if (Input.WantTabs) index = scanner.ScanTabs(Input.Color, index);
    const int64_t selStart = Input.SelStart;
    if (Input.RedrawAlways) {
        // The caret's line up to and including the character after the caret,
        // again in the font colour.
        index = scanner.WriteKey(index, Saturate(selStart - Input.CaretColumn), Input.SelStart, Input.FontColor, 0, 0);
    }
    for (int i = 0; i < ColorRules.Count(); ++i) {
        TColorRule& rule = ColorRules.Items(i);
        const bool runs = rule.Enabled && !gaveUp(i + 1);
        if (runs) index = scanner.ScanRule(rule, index);
        endLoop(runs ? scanner.GaveUpAt : INT32_MAX);
    }
    if (Input.SelLength > 0) {
        index = scanner.WriteKey(index, Input.SelStart, Saturate(selStart + Input.SelLength - 1), clRed,
                                 kZSelection, 0);
    }
    MinKeyPos = scanner.MinKeyPos;
    MaxKeyPos = scanner.MaxKeyPos;
    if (resumable) {
        Resume.Record(Snapshot.ScanFrom, Snapshot.ScanLimit, print, start.At, keysTo, FSpans, FLoopEnds, FGaveUpAt,
                      start.GaveUp);
    }
    FWritten = index;
    FCountAfter = KeyList.Count();
    return index;
}

int TColorPainter::WriteRun(int Index, const TKeyDescr& Run) {
    if (Index >= KeyList.Count()) Index = KeyList.Append();
    KeyList[Index] = Run;
    return Index + 1;
}

int TColorPainter::MergeRuns(const TScanSnapshot& Snapshot, int KeyCount, int32_t KeysFrom, int32_t KeysTo) {
    KeyCount = std::clamp(KeyCount, 0, KeyList.Count());
    // The map covers the keys' range as far as it lies in the scanned text
    // and in the wanted part.
    const int32_t from = std::max(KeysFrom, Snapshot.ScanFrom);
    const int32_t to = KeysTo < 0 ? Snapshot.ScanLimit : std::min(KeysTo, Snapshot.ScanLimit);
    int32_t low = std::max(MinKeyPos, from);
    int32_t high = std::min(MaxKeyPos, Saturate(int64_t{to} - 1));
    if (KeyCount == 0 || high < low) {
        if (KeyList.Count() > 0) KeyList[0].KeyBeg = kEmptyKey;
        return 0;
    }
    // (The snapshot holds a zero at ScanLimit and the character before
    // ScanFrom, which ends a line: neither is half of a pair.)
    auto unit = [&](int32_t at) { return Snapshot.Text[at - Snapshot.Base]; };
    auto pairAt = [&](int32_t at) { return IsHighSurrogate(unit(at)) && IsLowSurrogate(unit(at + 1)); };
    if (low > Snapshot.ScanFrom && pairAt(low - 1)) --low;
    if (pairAt(high)) ++high;
    // One cell per character and a last one that stays zero and closes the
    // runs before it.
    const size_t cells = static_cast<size_t>(high - low) + 2;
    if (FColorMap.size() < cells) FColorMap.resize(cells);
    std::fill_n(FColorMap.begin(), cells, TColorCell{});

    for (int i = 0; i < KeyCount; ++i) {
        const TKeyDescr& key = KeyList[i];
        if (key.KeyBeg == kEmptyKey || key.KeyEnd >= kEmptyKey || key.KeyEnd < key.KeyBeg) continue;
        const int32_t beg = std::max(key.KeyBeg, low);
        const int32_t end = std::min(key.KeyEnd, high);
        for (int32_t at = beg; at <= end; ++at) {
            TColorCell& cell = FColorMap[static_cast<size_t>(at - low)];
            if (cell.ZOrder <= key.KeyZOrder) cell = TColorCell{key.KeyColor, key.KeyZOrder, key.KeyByEvent, 1};
        }
    }
    for (int32_t at = low; at < high; ++at) {
        if (!pairAt(at)) continue;
        TColorCell* halves = &FColorMap[static_cast<size_t>(at - low)];
        const TColorCell cell = PairCell(halves[0], halves[1]);
        halves[0] = halves[1] = cell;
        ++at;
    }

    int runs = 0;
    size_t runStart = 0;
    for (size_t i = 1; i < cells; ++i) {
        const TColorCell& cell = FColorMap[i];
        if (SameRun(cell, FColorMap[runStart])) continue;
        const TColorCell& last = FColorMap[i - 1];
        if (last.Covered) {
            runs = WriteRun(runs, TKeyDescr{low + static_cast<int32_t>(runStart), low + static_cast<int32_t>(i - 1),
                                            last.Color, last.ZOrder, last.ByEvent});
        }
        runStart = i;
    }
    if (runs < KeyList.Count()) KeyList[runs].KeyBeg = kEmptyKey;
    FWritten = std::max(FWritten, runs + 1);
    FCountAfter = KeyList.Count();
    return runs;
}

int32_t ScanStartLine(const TDrawRules& Rules, int32_t FirstLine) {
    if (FirstLine <= 0) return 0;
    if (Rules.Count() == 0) return FirstLine;
    const int64_t height = std::max<int32_t>(Rules.Items(0).KeyMaxHeight, 1);
    return static_cast<int32_t>(std::max<int64_t>(int64_t{FirstLine} - (height - 1), 0));
}

}  // namespace qm
