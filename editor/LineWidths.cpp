#include "editor/LineWidths.h"

#include <algorithm>
#include <iterator>

#include "editor/TextUnits.h"

namespace qm {

namespace {

struct TCodeRange {
    char32_t First, Last;
};

// Characters that join or reorder with their neighbours, so that the native
// control may place them (and what follows) otherwise than their own widths
// say: combining marks, the right-to-left scripts, the scripts whose letters
// are shaped into clusters, format and bidirectional controls, variation
// selectors, surrogates standing alone, and the emoji parts that join.
constexpr TCodeRange kShaped[] = {
    {0x0300, 0x036F},   {0x0483, 0x0489},   {0x0590, 0x08FF},   {0x0900, 0x0DFF},   {0x0E00, 0x0FFF},
    {0x1000, 0x109F},   {0x1100, 0x11FF},   {0x135D, 0x135F},   {0x1700, 0x18AF},   {0x1A00, 0x1CFF},
    {0x1DC0, 0x1DFF},   {0x200B, 0x200F},   {0x2028, 0x202E},   {0x2060, 0x206F},   {0x20D0, 0x20FF},
    {0x302A, 0x302F},   {0x3099, 0x309A},   {0xA800, 0xABFF},   {0xD800, 0xDFFF},   {0xFB1D, 0xFDFF},
    {0xFE00, 0xFE0F},   {0xFE20, 0xFE2F},   {0xFE70, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x1F1E6, 0x1F1FF},
    {0x1F3FB, 0x1F3FF}, {0xE0000, 0xE0FFF},
};

}  // namespace

TCharKind KindByCode(char32_t Code) {
    if (Code < 0x20 || (Code >= 0x7F && Code <= 0x9F)) return TCharKind::Control;
    const auto after = std::upper_bound(std::begin(kShaped), std::end(kShaped), Code,
                                        [](char32_t code, const TCodeRange& range) { return code < range.First; });
    if (after != std::begin(kShaped) && Code <= std::prev(after)->Last) return TCharKind::Shaped;
    return TCharKind::Plain;
}

// ---- TCharWidths -------------------------------------------------------------

void TCharWidths::Clear() {
    for (std::unique_ptr<TPage>& page : pages_) page.reset();
    astral_.clear();
    ++generation_;
}

TCharMetric TCharWidths::Slow(std::u16string_view Text, size_t At) {
    const char16_t c = Text[At];
    auto code = [](char16_t high, char16_t low) {
        return 0x10000 + ((char32_t{high} - 0xD800) << 10) + (char32_t{low} - 0xDC00);
    };
    if (InsidePair(Text, At + 1)) return Of(code(c, Text[At + 1]));
    if (InsidePair(Text, At)) return TCharMetric{0, Of(code(Text[At - 1], c)).Kind};
    return Of(c);
}

TCharMetric TCharWidths::Of(char32_t Code) {
    if (Code > 0xFFFF) {
        const auto known = astral_.find(Code);
        if (known != astral_.end()) return known->second;
        const TCharMetric metric = Measured(Code);
        if (metric.Width >= 0) astral_.emplace(Code, metric);
        return Usable(metric);
    }
    std::unique_ptr<TPage>& page = pages_[Code >> 8];
    if (!page) {
        page = std::make_unique<TPage>();
        page->fill(TCharMetric{-1, TCharKind::Plain});
    }
    TCharMetric& cell = (*page)[Code & 0xFF];
    if (cell.Width < 0) cell = Measured(Code);
    return Usable(cell);
}

TCharMetric TCharWidths::Measured(char32_t Code) {
    TCharMetric metric = measure_ ? measure_(Code) : TCharMetric{-1, TCharKind::Shaped};
    const TCharKind byCode = KindByCode(Code);
    if (byCode != TCharKind::Plain) metric.Kind = byCode;
    return metric;
}

// A character that could not be measured (it is measured again when next
// met) counts as shaped: what follows it is placed by the native control.
TCharMetric TCharWidths::Usable(TCharMetric Metric) {
    return Metric.Width >= 0 ? Metric : TCharMetric{0, TCharKind::Shaped};
}

// ---- TLineWidths -------------------------------------------------------------

void TLineWidths::Index(std::u16string_view text, TCharWidths& widths) {
    text_ = text;
    widths_ = &widths;
    blocks_.clear();
}

void TLineWidths::Changed(std::u16string_view text, size_t column) {
    text_ = text;
    // Block b holds while the change lies at or after its start, and after
    // the pair its start may end (a change of a pair's second half changes
    // the width its first half carries).
    if (column > 0) --column;
    blocks_.resize(std::min(blocks_.size(), column / kBlock + 1));
    blocks_.resize(std::min(blocks_.size(), BlockCount()));
}

void TLineWidths::Extend(size_t blocks) {
    blocks = std::min(blocks, BlockCount());
    if (blocks_.size() >= blocks) return;
    if (blocks_.empty()) blocks_.push_back(0);
    while (blocks_.size() < blocks) {
        const size_t from = (blocks_.size() - 1) * kBlock;
        int64_t sum = blocks_.back();
        for (size_t column = from; column < from + kBlock; ++column) sum += Width(column);
        blocks_.push_back(sum);
    }
}

int64_t TLineWidths::Before(size_t column) {
    column = std::min(column, text_.size());
    const size_t block = column / kBlock;
    Extend(block + 1);
    if (block >= blocks_.size()) return 0;  // an empty line
    int64_t sum = blocks_[block];
    for (size_t at = block * kBlock; at < column; ++at) sum += Width(at);
    return sum;
}

size_t TLineWidths::ColumnAt(int64_t x, size_t from, int64_t& left) const {
    size_t column = std::min(from, text_.size());
    int64_t sum = left;
    while (column < text_.size()) {
        const int64_t right = sum + Width(column);
        if (right > x) break;
        sum = right;
        ++column;
    }
    left = sum;
    return column;
}

size_t TLineWidths::ColumnAt(int64_t x, int64_t& left) {
    // Blocks as far as x, then the last block starting at or left of x, then
    // character by character.
    Extend(1);
    while (blocks_.size() < BlockCount() && blocks_.back() <= x) Extend(blocks_.size() + 1);
    const auto after = std::upper_bound(blocks_.begin(), blocks_.end(), x);
    const size_t block = after == blocks_.begin() ? 0 : static_cast<size_t>(after - blocks_.begin()) - 1;
    left = blocks_.empty() ? 0 : blocks_[block];
    return ColumnAt(x, block * kBlock, left);
}

}  // namespace qm
