// Shared helpers of the colouring editor's tests.
#pragma once

#include "app/HtmlColorRules.h"
#include "editor/ColorPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

inline void PrintTo(const TKeyDescr& Key, std::ostream* Out) {
    *Out << "{" << Key.KeyBeg << ".." << Key.KeyEnd << " colour 0x" << std::hex << Key.KeyColor << std::dec << " z"
         << int{Key.KeyZOrder} << (Key.KeyByEvent ? " event" : "") << "}";
}

}  // namespace qm

namespace qm::test {

// A number in decimal digits.
inline std::u16string Num(long long Value) {
    const std::string digits = std::to_string(Value);
    return std::u16string(digits.begin(), digits.end());
}

inline TKeyDescr Key(int32_t Beg, int32_t End, TColor Color, int ZOrder = 0, int ByEvent = 0) {
    return TKeyDescr{Beg, End, Color, static_cast<uint8_t>(ZOrder), static_cast<uint8_t>(ByEvent)};
}

// The three rules of the main window's editors: tags, quoted values,
// comments; rule 0's KeyMaxHeight as asked.
inline void AddEditorRules(TDrawRules& Rules, int TagKeyMaxHeight = 3) {
    AddHtmlColorRules(Rules);
    Rules.Items(Rules.Count() - 3).KeyMaxHeight = TagKeyMaxHeight;
}

// A snapshot of Text scanned from ScanFrom to ScanLimit (-1: the end).
// Windowed, it holds exactly the characters from SnapshotBase(ScanFrom) to
// ScanLimit and the zero, in a buffer of that size, so that the sanitizers
// catch any read outside; whole, it holds the entire text with the zero
// written over the character at ScanLimit.
class TestSnapshot {
public:
    TestSnapshot(std::u16string_view Text, int32_t ScanFrom = 0, int32_t ScanLimit = -1, bool Windowed = true) {
        if (ScanLimit < 0) ScanLimit = static_cast<int32_t>(Text.size());
        const int32_t base = Windowed ? SnapshotBase(ScanFrom) : 0;
        const size_t length = Windowed ? static_cast<size_t>(ScanLimit - base) : Text.size();
        FBuffer = std::make_unique<char16_t[]>(length + 1);
        std::copy_n(Text.data() + base, length, FBuffer.get());
        FBuffer[length] = 0;
        FBuffer[static_cast<size_t>(ScanLimit - base)] = 0;
        FSnapshot = TScanSnapshot{FBuffer.get(), base, ScanFrom, ScanLimit};
    }
    operator const TScanSnapshot&() const { return FSnapshot; }

private:
    std::unique_ptr<char16_t[]> FBuffer;
    TScanSnapshot FSnapshot{};
};

inline std::vector<TKeyDescr> FirstRecords(const TKeyDescrList& List, int Count) {
    std::vector<TKeyDescr> records;
    for (int i = 0; i < Count; ++i) records.push_back(List[i]);
    return records;
}

// The non-empty keys one rule finds in Text (the rule is used as it is).
inline std::vector<TKeyDescr> ScanRuleKeys(TColorRule& Rule, std::u16string_view Text, int32_t ScanFrom = 0,
                                           int32_t ScanLimit = -1) {
    TKeyDescrList list;
    const TestSnapshot snapshot(Text, ScanFrom, ScanLimit);
    TKeyScanner scanner(snapshot, list);
    std::vector<TKeyDescr> keys;
    for (const TKeyDescr& key : FirstRecords(list, scanner.ScanRule(Rule, 0))) {
        if (key.KeyBeg != kEmptyKey) keys.push_back(key);
    }
    return keys;
}

// The runs of one paint.
inline std::vector<TKeyDescr> PaintRuns(TColorPainter& Painter, std::u16string_view Text, const TPaintInput& Input = {},
                                        int32_t ScanFrom = 0, int32_t ScanLimit = -1) {
    const int count = Painter.BuildRuns(TestSnapshot(Text, ScanFrom, ScanLimit), Input);
    if (count < Painter.KeyList.Count()) {
        EXPECT_EQ(Painter.KeyList[count].KeyBeg, kEmptyKey);
    }
    return FirstRecords(Painter.KeyList, count);
}

}  // namespace qm::test
