#include "editor/LineWidths.h"

#include <algorithm>

namespace qm {

void TLineWidths::Index(std::string_view text, const TCharWidths& widths) {
    text_ = text;
    widths_ = &widths;
    blocks_.clear();
    int64_t sum = 0;
    for (size_t column = 0; column < text.size(); ++column) {
        if (column % kBlock == 0) blocks_.push_back(sum);
        sum += widths[static_cast<unsigned char>(text[column])];
    }
}

int64_t TLineWidths::Before(size_t column) const {
    column = std::min(column, text_.size());
    const size_t block = column / kBlock;
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

size_t TLineWidths::ColumnAt(int64_t x, int64_t& left) const {
    // The last block starting at or left of x, then character by character.
    const auto after = std::upper_bound(blocks_.begin(), blocks_.end(), x);
    const size_t block = after == blocks_.begin() ? 0 : static_cast<size_t>(after - blocks_.begin()) - 1;
    left = blocks_.empty() ? 0 : blocks_[block];
    return ColumnAt(x, block * kBlock, left);
}

}  // namespace qm
