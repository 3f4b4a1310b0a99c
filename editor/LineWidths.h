// Where the characters of one line of the editor lie when each is as wide
// as the font's advance width for its code: the widths of the line's
// prefixes, found without measuring the whole prefix every time. Window-free.
//
// An index holds the width of every kBlock-th prefix; the width before any
// column, or the column under any x, then costs at most kBlock additions.
// The index is made as far as it is asked for, so a paint near the start of
// a long line adds up only that far; a change of the line keeps the part
// before the change. All widths are 64-bit: a long line is far wider than 16
// or even 31 bits of pixels could hold once its characters are summed up.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace qm {

// Advance width of every character code in the font.
using TCharWidths = std::array<int32_t, 256>;

class TLineWidths {
public:
    static constexpr size_t kBlock = 1024;

    // Indexes a line; the text must stay where it is while the index is used.
    // The storage of an earlier index is used again.
    void Index(std::string_view text, const TCharWidths& widths);
    // The line is now `text` (moved, or changed from column `column` on):
    // the index before the change is kept.
    void Moved(std::string_view text) { text_ = text; }
    void Changed(std::string_view text, size_t column);

    std::string_view Text() const { return text_; }
    // Width of the characters before `column` (at most the line's length).
    int64_t Before(size_t column);
    // The first column at or after `from` whose character ends right of x
    // (x counted from the line's start, `left` the width before `from`); the
    // line's length when there is none. `left` becomes the width before the
    // column found.
    size_t ColumnAt(int64_t x, size_t from, int64_t& left) const;
    // The first column whose character ends right of x, and the width before it.
    size_t ColumnAt(int64_t x, int64_t& left);

private:
    int32_t Width(size_t column) const { return (*widths_)[static_cast<unsigned char>(text_[column])]; }
    // Indexes blocks until `blocks` are known or the line ends.
    void Extend(size_t blocks);
    size_t BlockCount() const { return text_.empty() ? 0 : (text_.size() - 1) / kBlock + 1; }

    std::string_view text_;
    const TCharWidths* widths_ = nullptr;
    std::vector<int64_t> blocks_;  // blocks_[b]: width before column b * kBlock
};

}  // namespace qm
