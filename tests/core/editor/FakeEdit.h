// A stand-in for the native EDIT control, for the tests and the fuzz target
// of the window-free copy of its lines (TMemoText).
#pragma once

#include "editor/MemoText.h"

#include <algorithm>
#include <string>
#include <vector>

namespace qm::test {

// A native EDIT control without word wrap as Wine's behaves (measured): a
// line ends at CR LF, at CR CR LF (a break of three characters) or at a lone
// line feed; a lone carriage return is a character of its line. With
// WrapAt, a line longer than that goes on on the next line (word wrap, with
// no line break between the two).
class FakeEdit final : public TEditLines {
public:
    explicit FakeEdit(std::u16string Text, size_t WrapAt = 0) : FWrapAt(WrapAt) { SetText(std::move(Text)); }

    // The control's text changed.
    void SetText(std::u16string Text) {
        FText = std::move(Text);
        FLines.clear();
        const size_t WrapAt = FWrapAt;
        size_t from = 0;
        for (;;) {
            const size_t feed = FText.find(u'\n', from);
            const bool broken = feed != std::u16string::npos;
            size_t end = broken ? feed : FText.size();
            if (broken && end > from && FText[end - 1] == u'\r') --end;
            if (broken && end < feed && end > from && FText[end - 1] == u'\r') --end;
            for (; WrapAt > 0 && end - from > WrapAt; from += WrapAt) {
                FLines.push_back({static_cast<int32_t>(from), static_cast<int32_t>(WrapAt)});
            }
            FLines.push_back({static_cast<int32_t>(from), static_cast<int32_t>(end - from)});
            if (feed == std::u16string::npos) break;
            from = feed + 1;
        }
    }

    int32_t LineIndex(int32_t Line) const override {
        ++FStats.Queries;
        return Line >= 0 && Line < Count() ? FLines[static_cast<size_t>(Line)].Start : -1;
    }
    int32_t LineLength(int32_t Offset) const override {
        ++FStats.Queries;
        return FLines[static_cast<size_t>(LineOf(Offset))].Length;
    }
    int32_t GetLine(int32_t Line, char16_t* To, int32_t Room) const override {
        ++FStats.Queries;
        if (Line < 0 || Line >= Count()) return 0;
        const Span line = FLines[static_cast<size_t>(Line)];
        const int32_t copied = std::min({line.Length, Room, int32_t{0xFFFF}});
        std::copy_n(FText.data() + line.Start, copied, To);
        return copied;
    }
    int32_t GetText(char16_t* To, int32_t Size) const override {
        ++FStats.Queries;
        const int32_t copied = std::min(static_cast<int32_t>(FText.size()), Size - 1);
        std::copy_n(FText.data(), copied, To);
        To[copied] = 0;
        return copied;
    }
    TColorMemoStats& Stats() const override { return FStats; }

    int32_t Count() const { return static_cast<int32_t>(FLines.size()); }
    int32_t LineOf(int32_t Offset) const {
        int32_t line = 0;
        while (line + 1 < Count() && FLines[static_cast<size_t>(line) + 1].Start <= Offset) ++line;
        return line;
    }
    const std::u16string& Text() const { return FText; }

private:
    struct Span {
        int32_t Start, Length;
    };
    std::u16string FText;
    size_t FWrapAt;
    std::vector<Span> FLines;
    mutable TColorMemoStats FStats;
};

}  // namespace qm::test
