#include "editor/LineWidths.h"

#include <algorithm>

namespace qm {

void TLineWidths::Index(std::string_view text, const TCharWidths& widths) {
    text_ = text;
    widths_ = &widths;
    blocks_.clear();
}

void TLineWidths::Changed(std::string_view text, size_t column) {
    text_ = text;
    // Block b holds while the change lies at or after its start.
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
