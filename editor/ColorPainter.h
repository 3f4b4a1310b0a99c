// The window-free half of the colouring editor TColorMemo: its rules,
// hot-spot settings, key list and colour map, and the work of one paint from
// preparing the rules to the list of coloured runs. The Win32 control holds
// one TColorPainter, forwards its published properties to it, copies the
// lines to scan into a snapshot and draws the runs.
#pragma once

#include "editor/ColorRules.h"
#include "editor/KeyDescr.h"
#include "editor/KeyScanner.h"
#include "editor/ScanResume.h"
#include "editor/ScanSnapshot.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace qm {

// What a paint needs from the control besides the text.
struct TPaintInput {
    int32_t SelStart = 0;     // S
    int32_t SelLength = 0;    // N
    int32_t CaretColumn = 0;  // S minus the offset of the caret line's first character
    TColor FontColor = clWindowText;  // the control's Font colour
    TColor Color = clWindow;          // the control's background colour (tab keys carry it)
    bool RedrawAlways = false;
    bool WantTabs = false;
    // The characters whose runs are wanted: KeysFrom .. KeysTo - 1 (-1: from
    // ScanFrom, to ScanLimit). Keys are still found as a scan of all the
    // scanned text finds them; the runs lie inside this part.
    int32_t KeysFrom = -1;
    int32_t KeysTo = -1;
};

// One cell of the colour map: the winning key of one character.
struct TColorCell {
    TColor Color = 0;
    uint8_t ZOrder = 0;
    uint8_t ByEvent = 0;
    uint8_t Covered = 0;  // 1 once any key covered the character
};

class TColorPainter {
public:
    explicit TColorPainter(TColorMemo* Memo = nullptr);
    TColorPainter(const TColorPainter&) = delete;
    TColorPainter& operator=(const TColorPainter&) = delete;

    TDrawRules ColorRules;
    THotSpot HotSpot;
    TDrawEvent OnDraw;
    // The keys of the current paint, then its runs.
    TKeyDescrList KeyList;
    // Range of the keys of the current paint (-1 when none).
    int32_t MinKeyPos = -1;
    int32_t MaxKeyPos = -1;
    // Where the searches of later paints may start again (a paint of the
    // middle of a long line). The control reports every change of the text
    // to it: Edited where it knows the first changed character, else Clear.
    TScanResume Resume;

    // The ColorRules setter: the rules become copies of Value's.
    void SetColorRules(const TDrawRules& Value) { ColorRules.Assign(Value); }
    // The HotSpot setter: copies the six settings.
    void SetHotSpot(const THotSpot& Value) { HotSpot.Assign(Value); }

    int ColorLimMax() const { return FColorLimMax; }
    // A new value replaces DrawEventBuf by one of that many zeroed records
    // (none when the value is 0 or less); the same value changes nothing.
    void SetColorLimMax(int Value);
    const std::vector<TKeyDescr>& DrawEventBuf() const { return FDrawEventBuf; }
    const std::vector<TColorCell>& ColorMap() const { return FColorMap; }

    // Whether a paint colours anything at all: some rule exists, or hot spots
    // are active. When not, the control leaves the native rendering alone.
    bool HasColouring() const { return ColorRules.Count() > 0 || HotSpot.Active; }

    // One paint: ScanKeys, then MergeRuns. Returns the number of runs; they
    // are KeyList[0 .. count-1], sorted, not overlapping, inside
    // [ScanFrom, ScanLimit), and KeyList[count] (when it exists) has KeyBeg
    // kEmptyKey. Runs of ZOrder 254 (selection) and 255 (tab) are not meant
    // to be drawn. Throws std::invalid_argument for a malformed snapshot and
    // passes on whatever OnDraw throws.
    int BuildRuns(const TScanSnapshot& Snapshot, const TPaintInput& Input);

    // Prepares the rules (every second paint), then writes the keys of the
    // hot spots, tabs, the caret line (RedrawAlways), every enabled rule and
    // the selection into KeyList. Returns the number of slots written.
    int ScanKeys(const TScanSnapshot& Snapshot, const TPaintInput& Input);
    // Resolves the first KeyCount keys character by character (higher ZOrder
    // wins, the later key on a tie) over the scanned text and writes the runs
    // of equal colour, ZOrder and by-event flag back into KeyList. Keys are
    // cut to [ScanFrom, ScanLimit) and to the wanted part (KeysFrom, KeysTo),
    // widened by the other half of a surrogate pair cut at either end. A run
    // of colour 0, ZOrder 0 and flag 0 takes in the uncovered characters
    // around it and is written only when its last character is covered. The
    // two halves of a pair always end up in one run: they take the key of
    // the half with the higher ZOrder (a covered half over an uncovered one,
    // else the first half's).
    int MergeRuns(const TScanSnapshot& Snapshot, int KeyCount, int32_t KeysFrom = -1, int32_t KeysTo = -1);

private:
    int WriteRun(int Index, const TKeyDescr& Run);
    // Whether every enabled rule searches key after key (pair and line-end
    // rules), so that a scan may start at a resume point; and a fingerprint
    // of what their searches depend on.
    bool Resumable() const;
    uint64_t SearchPrint() const;

    int FWritten = 0;     // KeyList slots the last paint wrote
    int FCountAfter = 0;  // KeyList's count after it
    std::vector<TScanSpan> FSpans;
    std::vector<size_t> FLoopEnds;
    std::vector<int32_t> FGaveUpAt;

    int FColorLimMax = 0;
    std::vector<TKeyDescr> FDrawEventBuf;
    std::vector<char16_t> FEventText;  // OnDraw's copy of the scanned lines
    std::vector<TColorCell> FColorMap;
};

// ---- Helpers for the control's paint --------------------------------------

struct TPaintLines {
    int32_t First;
    int32_t Count;
};

// The lines a paint colours: the caret's line alone, or all lines from the
// top line on. LineCount is the number of lines of the control's Lines
// (MemoLineCount).
inline TPaintLines PaintLines(bool CaretLineOnly, int32_t CaretLine, int32_t TopLine, int32_t LineCount) {
    if (CaretLineOnly) return {CaretLine, 1};
    return {TopLine, std::max(0, LineCount - TopLine)};
}

// The line scanning starts at: KeyMaxHeight - 1 lines above FirstLine (rule
// 0's KeyMaxHeight, at least 1), FirstLine itself when there is no rule,
// never above line 0.
int32_t ScanStartLine(const TDrawRules& Rules, int32_t FirstLine);

// Position of one line for ScanLimitOf: offset of its first character
// (negative: no such line), vertical client position, length.
struct TLineSpan {
    int32_t Start;
    int32_t Y;
    int32_t Length;
};

// Where scanning ends: the first character of the first line from FirstLine
// on (Count lines) that is not wholly inside the client area (y < 0, or
// y + LineHeight >= ClientBottom), else the end of the last line. Never
// before ScanFrom; ScanFrom when no line is tested. GetLine(line) returns
// the line's TLineSpan.
template <class LineFn>
int32_t ScanLimitOf(int32_t FirstLine, int32_t Count, int32_t LineHeight, int32_t ClientBottom, int32_t ScanFrom,
                    LineFn&& GetLine) {
    int64_t limit = ScanFrom;
    for (int32_t i = 0; i < Count; ++i) {
        const TLineSpan line = GetLine(FirstLine + i);
        if (line.Start < 0) break;
        if (line.Y < 0 || int64_t{line.Y} + LineHeight >= ClientBottom) {
            limit = line.Start;
            break;
        }
        limit = int64_t{line.Start} + std::max(0, line.Length);
    }
    return static_cast<int32_t>(std::clamp<int64_t>(limit, ScanFrom, INT32_MAX));
}

}  // namespace qm
