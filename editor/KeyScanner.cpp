#include "editor/KeyScanner.h"

#include <algorithm>

#include "editor/TextUnits.h"

namespace qm {

namespace {

// FoundAt of a table entry: not searched yet in this scan (below every
// position), or searched and absent for the rest of the scan.
constexpr int32_t kNotSearched = -1;
constexpr int32_t kNotFound = INT32_MAX;

// Letters for the keyword rule: codes 64 to 90 and 97 to 122 (any other
// character, from code 128 up too, is no letter).
bool IsLetter(char16_t c) { return (c >= 64 && c <= 90) || (c >= 97 && c <= 122); }

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

std::u16string_view KeyText(const char16_t (&Key)[kMaxPairKeyLength + 1]) {
    const std::u16string_view whole(Key, kMaxPairKeyLength);
    return whole.substr(0, whole.find(u'\0'));
}

// The part of a keyword that is searched: up to its first zero character and
// at most 30 characters (29 when the 30th is the first half of a pair). The
// key found is as long as that part.
std::u16string_view SearchedKeyword(const std::u16string& Keyword) {
    std::u16string_view key(Keyword);
    key = key.substr(0, key.find(u'\0'));
    return CutBeforePair(key, kMaxKeywordLength);
}

void ResetFoundAt(TKeyTable& Table) {
    for (TKeyPair& entry : Table) entry.FoundAt = kNotSearched;
}

int32_t Saturate(int64_t Value) {
    return static_cast<int32_t>(std::clamp<int64_t>(Value, INT32_MIN, INT32_MAX));
}

}  // namespace

TKeyScanner::TKeyScanner(const TScanSnapshot& Snapshot, TKeyDescrList& KeyList)
    : StartAt(Snapshot.ScanFrom), KeysTo(Snapshot.ScanLimit), FSnapshot(Snapshot), FKeys(KeyList) {
    CheckSnapshot(Snapshot);
}

void TKeyScanner::AddSpan(int32_t Beg, int32_t End) {
    if (Spans) Spans->push_back(TScanSpan{Beg, End});
}

int32_t TKeyScanner::LoopStart() const { return std::clamp(StartAt, FSnapshot.ScanFrom, FSnapshot.ScanLimit); }

int TKeyScanner::WriteKey(int Index, int32_t KeyBeg, int32_t KeyEnd, TColor KeyColor, uint8_t KeyZOrder,
                          uint8_t KeyByEvent) {
    if (Index >= FKeys.Count()) Index = FKeys.Append();
    FKeys[Index] = TKeyDescr{KeyBeg, KeyEnd, KeyColor, KeyZOrder, KeyByEvent};
    if (!FAnyKey || KeyBeg < MinKeyPos) MinKeyPos = KeyBeg;
    if (!FAnyKey || KeyEnd > MaxKeyPos) MaxKeyPos = KeyEnd;
    FAnyKey = true;
    return Index + 1;
}

int32_t TKeyScanner::Find(int32_t From, std::u16string_view Key) const {
    if (Key.empty() || From > FSnapshot.ScanLimit) return -1;
    const std::u16string_view text(At(From), static_cast<size_t>(FSnapshot.ScanLimit - From));
    const size_t at = text.find(Key);
    return at == std::u16string_view::npos ? -1 : From + static_cast<int32_t>(at);
}

int32_t TKeyScanner::FindChar(int32_t From, char16_t C) const {
    if (From >= FSnapshot.ScanLimit) return -1;
    const std::u16string_view text(At(From), static_cast<size_t>(FSnapshot.ScanLimit - From));
    const size_t at = text.find(C);
    return at == std::u16string_view::npos ? -1 : From + static_cast<int32_t>(at);
}

int TKeyScanner::ScanRule(TColorRule& Rule, int Index) {
    GaveUpAt = INT32_MAX;
    switch (Rule.KeyDrawingType) {
    case dtKeyShow: return ScanKeywords(Rule, Index);
    case dtEventDraw: return ScanEvents(Rule, Index);
    case dtBeginEnd: return ScanBeginEnd(Rule, Index);
    case dtBeginLineEnd: return ScanBeginLineEnd(Rule, Index);
    }
    return Index;
}

int TKeyScanner::ScanKeywords(TColorRule& Rule, int Index) {
    if (Rule.KeywordEntries.empty()) return Index;
    const int32_t from = FSnapshot.ScanFrom;
    const size_t length = static_cast<size_t>(FSnapshot.ScanLimit - from);
    const char16_t* text = At(from);
    if (!Rule.KeyCase) {
        if (Rule.UpperText.size() < length + 1) Rule.UpperText.resize(length + 1);
        std::transform(text, text + length, Rule.UpperText.begin(), UpperAscii);
        Rule.UpperText[length] = 0;
        text = Rule.UpperText.data();
    }
    const std::u16string_view searched(text, length);

    for (const TKeywordEntry& entry : Rule.KeywordEntries) {
        const std::u16string_view key = SearchedKeyword(entry.Keyword);
        if (key.empty()) continue;
        for (size_t at = searched.find(key); at != std::u16string_view::npos;
             at = searched.find(key, at + key.size())) {
            if (!Rule.PartWord) {
                // The character before: from the snapshot for a case-sensitive
                // rule (also before ScanFrom), from the copy otherwise.
                bool letterBefore = false;
                if (Rule.KeyCase) {
                    const int64_t before = int64_t{from} + static_cast<int64_t>(at) - 1;
                    letterBefore = before >= FSnapshot.Base && IsLetter(*At(static_cast<int32_t>(before)));
                } else {
                    letterBefore = at > 0 && IsLetter(searched[at - 1]);
                }
                const size_t after = at + key.size();
                const bool letterAfter = after < length && IsLetter(searched[after]);
                if (letterBefore || letterAfter) continue;
            }
            const int32_t keyBeg = from + static_cast<int32_t>(at);
            Index = WriteKey(Index, keyBeg, keyBeg + static_cast<int32_t>(key.size()) - 1,
                             entry.RuleDefault ? Rule.DefKeyColor : entry.Color, Rule.ZOrder, 1);
        }
    }
    return Index;
}

int TKeyScanner::ScanEvents(TColorRule& Rule, int Index) {
    if (!DrawEventBuf || DrawEventBuf->empty()) return Index;
    std::fill(DrawEventBuf->begin(), DrawEventBuf->end(), TKeyDescr{});
    int count = 0;
    if (OnDraw && *OnDraw) {
        // The handler's copy: the character before the scanned lines (or a
        // zero), the lines and the zero at ScanLimit.
        std::vector<char16_t> own;
        std::vector<char16_t>& text = EventText ? *EventText : own;
        const auto length = static_cast<size_t>(FSnapshot.ScanLimit - FSnapshot.ScanFrom);
        if (text.size() < length + 2) text.resize(length + 2);
        text[0] = FSnapshot.ScanFrom > FSnapshot.Base ? *At(FSnapshot.ScanFrom - 1) : u'\0';
        std::copy_n(At(FSnapshot.ScanFrom), length, text.data() + 1);
        text[length + 1] = 0;
        (*OnDraw)(&Rule, text.data() + 1, DrawEventBuf->data(), count);
    }

    // The buffer as it is now, in case the handler replaced it.
    const int reported = std::clamp(count, 0, static_cast<int>(DrawEventBuf->size()));
    const int64_t first = FSnapshot.ScanFrom;
    const int64_t last = int64_t{FSnapshot.ScanLimit} - 1;
    for (int i = 0; i < reported; ++i) {
        const TKeyDescr record = (*DrawEventBuf)[static_cast<size_t>(i)];
        const int64_t keyBeg = first + record.KeyBeg;
        const int64_t keyEnd = first + record.KeyEnd;
        if (keyEnd < keyBeg) continue;
        const int64_t beg = std::max(keyBeg, first);
        const int64_t end = std::min(keyEnd, last);
        if (end < beg) continue;
        Index = WriteKey(Index, Saturate(beg), Saturate(end), record.KeyColor,
                         record.KeyZOrder != 0 ? record.KeyZOrder : Rule.ZOrder, 0);
    }
    return Index;
}

int TKeyScanner::ChooseBeginKey(TKeyTable& Table, int32_t From) const {
    int chosen = -1;
    for (int i = 0; i < kKeyTableSize; ++i) {
        TKeyPair& entry = Table[static_cast<size_t>(i)];
        if (entry.BegKey[0] == 0) break;
        // An occurrence found earlier at or after From is still the first one.
        if (entry.FoundAt < From) {
            const int32_t at = Find(From, KeyText(entry.BegKey));
            entry.FoundAt = at < 0 ? kNotFound : at;
        }
        if (entry.FoundAt == kNotFound) continue;
        if (chosen < 0 || entry.FoundAt < Table[static_cast<size_t>(chosen)].FoundAt) chosen = i;
    }
    return chosen;
}

int TKeyScanner::ScanBeginEnd(TColorRule& Rule, int Index) {
    if (!Rule.KeyTable) return Index;
    TKeyTable& table = *Rule.KeyTable;
    ResetFoundAt(table);
    int32_t from = LoopStart();
    for (;;) {
        const int chosen = ChooseBeginKey(table, from);
        if (chosen < 0) return Index;
        const TKeyPair& entry = table[static_cast<size_t>(chosen)];
        const int32_t keyBeg = entry.FoundAt;
        if (keyBeg >= KeysTo) return Index;
        // The end key may overlap the begin key from its second character on.
        const std::u16string_view endKey = KeyText(entry.EndKey);
        const int32_t endAt = Find(keyBeg + 1, endKey);
        if (endAt < 0) {  // no end key: the rule finds nothing more
            GaveUpAt = keyBeg;
            return Index;
        }
        const int32_t keyEnd = endAt + static_cast<int32_t>(endKey.size()) - 1;
        Index = WriteKey(Index, keyBeg, keyEnd, entry.PairColor, Rule.ZOrder, 0);
        AddSpan(keyBeg, std::max(keyEnd, endAt));
        from = endAt + 1;
        if (from > FSnapshot.ScanLimit) return Index;
    }
}

int TKeyScanner::ScanBeginLineEnd(TColorRule& Rule, int Index) {
    if (!Rule.KeyTable) return Index;
    TKeyTable& table = *Rule.KeyTable;
    ResetFoundAt(table);
    int32_t from = LoopStart();
    for (;;) {
        const int chosen = ChooseBeginKey(table, from);
        if (chosen < 0) return Index;
        const TKeyPair& entry = table[static_cast<size_t>(chosen)];
        const int32_t keyBeg = entry.FoundAt;
        if (keyBeg >= KeysTo) return Index;
        int32_t lineBreak = Find(keyBeg, u"\r\n");
        if (lineBreak < 0) lineBreak = FSnapshot.ScanLimit;
        Index = WriteKey(Index, keyBeg, lineBreak - 1, entry.PairColor, Rule.ZOrder, 0);
        AddSpan(keyBeg, lineBreak);
        from = lineBreak + 1;
        if (from > FSnapshot.ScanLimit) return Index;
    }
}

int TKeyScanner::ScanHotSpots(const THotSpot& HotSpot, int Index) {
    GaveUpAt = INT32_MAX;
    int32_t from = LoopStart();
    for (;;) {
        const int32_t begin = FindChar(from, HotSpot.BeginChar);
        if (begin < 0 || begin >= KeysTo) return Index;
        const int markerSlot = Index;
        Index = WriteKey(Index, begin, begin, HotSpot.MarkerColor, kZHotSpotMarker, 0);
        const int32_t end = FindChar(begin + 1, HotSpot.EndChar);
        if (end < 0) {
            FKeys[markerSlot].KeyBeg = kEmptyKey;
            GaveUpAt = begin;
            return markerSlot;
        }
        Index = WriteKey(Index, begin + 1, end - 1, HotSpot.Color, kZHotSpotText, 0);
        Index = WriteKey(Index, end, end, HotSpot.MarkerColor, kZHotSpotMarker, 0);
        AddSpan(begin, end);
        from = end + 1;
        if (from > FSnapshot.ScanLimit) return Index;
    }
}

int TKeyScanner::ScanTabs(TColor Color, int Index) {
    for (int32_t at = FindChar(LoopStart(), u'\t'); at >= 0 && at < KeysTo; at = FindChar(at + 1, u'\t')) {
        Index = WriteKey(Index, at, at, Color, kZTab, 0);
    }
    return Index;
}

}  // namespace qm
