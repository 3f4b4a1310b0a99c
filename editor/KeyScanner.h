// The key scanners of the colouring editor. Window-free.
//
// One TKeyScanner serves one paint: it searches the snapshot between ScanFrom
// and ScanLimit and writes every key it finds into consecutive slots of the
// control's KeyList ("write a key at index i": the record at i is reused, or
// appended when i is past the end; the index then advances by one). Each
// scan function takes the next free index and returns the next free index.
// Searches never pass ScanLimit: a key is found only when it lies wholly
// inside the scanned text.
//
// A paint that needs the keys of a part of the scanned text only may start
// the searches of the pair, line-end and hot-spot rules later (StartAt, a
// point where the searches from ScanFrom would have stood between two keys
// of every such rule; see TScanResume) and stop them before the keys that
// begin at or after KeysTo. Keyword and event rules always search all of it.
#pragma once

#include "editor/ColorRules.h"
#include "editor/KeyDescr.h"
#include "editor/ScanSnapshot.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace qm {

// What one search loop of a rule took in: from the first character of a key
// to the character before where the loop searched next. Between two spans the
// loop stood still; the spans of one loop are in order and never overlap.
struct TScanSpan {
    int32_t Beg;
    int32_t End;
};

// The control's OnDraw event, asked for the keys of a dtEventDraw rule.
// Sender: the rule being scanned. FromPos: the scanned lines from the start
// of the first one (ScanFrom), zero-terminated at ScanLimit. A handler may
// read from FromPos[-1] up to that zero and nothing else: FromPos[-1] is the
// character before the first scanned line (the line feed ending the line
// before, or with word wrap that line's last character), or a zero when the
// first scanned line is the text's first. The text before it is not there
// (it has not been copied out of the native control). The characters are a
// copy, valid during the call. A: DrawEventBuf, ColorLimMax zeroed records.
// ItemsCount: 0 on entry. The handler fills the first records with ranges
// relative to FromPos (KeyEnd inclusive; KeyZOrder 0 stands for the rule's
// ZOrder) and sets ItemsCount. Counts outside 0..ColorLimMax are clamped;
// ranges are cut to the scanned text and dropped when nothing of them lies
// inside it or when they are empty. A handler must not change the control's
// rules or ColorLimMax.
using TDrawEvent =
    std::function<void(TColorRule* Sender, const char16_t* FromPos, TKeyDescr* A, int& ItemsCount)>;

class TKeyScanner {
public:
    // Throws std::invalid_argument for a malformed snapshot (CheckSnapshot).
    TKeyScanner(const TScanSnapshot& Snapshot, TKeyDescrList& KeyList);

    // Range of the keys written so far (-1, -1 before the first): the least
    // KeyBeg and the greatest KeyEnd of every written key.
    int32_t MinKeyPos = -1;
    int32_t MaxKeyPos = -1;

    // What dtEventDraw rules need from the control; none: no event keys.
    const TDrawEvent* OnDraw = nullptr;
    std::vector<TKeyDescr>* DrawEventBuf = nullptr;
    // Where OnDraw's copy of the scanned lines is made (kept by the caller
    // from paint to paint); none: a buffer of the scan's own.
    std::vector<char16_t>* EventText = nullptr;

    // Where the pair, line-end, hot-spot and tab searches start (ScanFrom by
    // default), and where they stop: keys that would begin at or after
    // KeysTo are not searched for (ScanLimit by default). End keys are
    // searched for as far as ScanLimit.
    int32_t StartAt;
    int32_t KeysTo;
    // When set, the pair, line-end and hot-spot loops add their spans here.
    std::vector<TScanSpan>* Spans = nullptr;
    // After ScanRule or ScanHotSpots: where that loop gave up for the rest of
    // the scanned text (a begin key or character without its end), or
    // INT32_MAX.
    int32_t GaveUpAt = INT32_MAX;

    // Writes one key at Index and returns Index + 1.
    int WriteKey(int Index, int32_t KeyBeg, int32_t KeyEnd, TColor KeyColor, uint8_t KeyZOrder, uint8_t KeyByEvent);

    // The keys of one rule, by its kind (the caller skips disabled rules).
    int ScanRule(TColorRule& Rule, int Index);
    // Hot spots: a marker key (253) on BeginChar, a text key (252) between,
    // a marker key on the EndChar. A BeginChar without its EndChar ends the
    // scan and leaves its slot empty.
    int ScanHotSpots(const THotSpot& HotSpot, int Index);
    // One key (255, in Color) for every tab character.
    int ScanTabs(TColor Color, int Index);

private:
    int ScanKeywords(TColorRule& Rule, int Index);
    int ScanEvents(TColorRule& Rule, int Index);
    int ScanBeginEnd(TColorRule& Rule, int Index);
    int ScanBeginLineEnd(TColorRule& Rule, int Index);
    // The table entry whose begin key occurs first at or after From (the
    // earlier entry on a tie), or -1. FoundAt caches each entry's search.
    int ChooseBeginKey(TKeyTable& Table, int32_t From) const;
    // First occurrence of Key at or after From lying wholly before
    // ScanLimit, or -1; an empty key is never found.
    int32_t Find(int32_t From, std::u16string_view Key) const;
    int32_t FindChar(int32_t From, char16_t C) const;
    void AddSpan(int32_t Beg, int32_t End);
    int32_t LoopStart() const;
    const char16_t* At(int32_t Offset) const { return FSnapshot.Text + (Offset - FSnapshot.Base); }

    TScanSnapshot FSnapshot;
    TKeyDescrList& FKeys;
    bool FAnyKey = false;
};

}  // namespace qm
