// Where the characters of one line of the editor lie: the widths of the
// characters as they are met, and the widths of a line's prefixes, found
// without measuring the whole prefix every time. Window-free.
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
#include <functional>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

// How the control treats a character of a line the native control shows.
enum class TCharKind : uint8_t {
    Plain,    // drawn over the native text, placed by the font's widths
    Native,   // left to the native control, whose width for it is known
              // (a surrogate pair, or a character it shows in another font)
    Control,  // a control character: drawn alone where the native control
              // shows it, and what follows is placed by the native control
    Shaped,   // joins or reorders with its neighbours (combining marks,
              // right-to-left and other shaped scripts, format characters,
              // a lone surrogate): left to the native control, and what
              // follows is placed by the native control
};

struct TCharMetric {
    int32_t Width = 0;
    TCharKind Kind = TCharKind::Plain;
};

// The kind a character has by its code alone: Control, Shaped, or Plain for
// everything else (which the measurement may still find Native).
TCharKind KindByCode(char32_t Code);

// The widths of a font's characters, measured when a character is first
// met. The two halves of a surrogate pair count as one character: the pair's
// width and kind go to its first half, and its second half has width 0.
class TCharWidths {
public:
    // Measures a character never met: a code of the Basic Multilingual Plane
    // or the code point of a pair. Its Kind may say Native; a kind the code
    // gives (KindByCode) goes first. A negative width: not measurable now.
    using TMeasure = std::function<TCharMetric(char32_t Code)>;

    explicit TCharWidths(TMeasure Measure = {}) : measure_(std::move(Measure)) {}

    // Another font: every width is measured again; Generation changes.
    void Clear();
    uint64_t Generation() const { return generation_; }

    // The character that starts at Text[At] (a whole pair at its first half).
    TCharMetric At(std::u16string_view Text, size_t At) {
        const char16_t c = Text[At];
        if (c < 0xD800 || c > 0xDFFF) {
            const std::unique_ptr<TPage>& page = pages_[c >> 8];
            if (page && (*page)[c & 0xFF].Width >= 0) return (*page)[c & 0xFF];
        }
        return Slow(Text, At);
    }
    TCharMetric Of(char32_t Code);

private:
    using TPage = std::array<TCharMetric, 256>;
    TCharMetric Slow(std::u16string_view Text, size_t At);
    TCharMetric Measured(char32_t Code);
    static TCharMetric Usable(TCharMetric Metric);

    TMeasure measure_;
    uint64_t generation_ = 1;
    std::array<std::unique_ptr<TPage>, 256> pages_;  // Width -1: not met yet
    std::unordered_map<char32_t, TCharMetric> astral_;
};

class TLineWidths {
public:
    static constexpr size_t kBlock = 1024;

    // Indexes a line; the text must stay where it is while the index is used.
    // The storage of an earlier index is used again.
    void Index(std::u16string_view text, TCharWidths& widths);
    // The line is now `text` (moved, or changed from column `column` on):
    // the index before the change is kept.
    void Moved(std::u16string_view text) { text_ = text; }
    void Changed(std::u16string_view text, size_t column);

    std::u16string_view Text() const { return text_; }
    // Width of the characters before `column` (at most the line's length).
    int64_t Before(size_t column);
    // The first column at or after `from` whose character ends right of x
    // (x counted from the line's start, `left` the width before `from`); the
    // line's length when there is none. `left` becomes the width before the
    // column found. The second half of a pair is never found (its width is
    // its first half's).
    size_t ColumnAt(int64_t x, size_t from, int64_t& left) const;
    // The first column whose character ends right of x, and the width before it.
    size_t ColumnAt(int64_t x, int64_t& left);

private:
    int32_t Width(size_t column) const { return widths_->At(text_, column).Width; }
    // Indexes blocks until `blocks` are known or the line ends.
    void Extend(size_t blocks);
    size_t BlockCount() const { return text_.empty() ? 0 : (text_.size() - 1) / kBlock + 1; }

    std::u16string_view text_;
    TCharWidths* widths_ = nullptr;
    std::vector<int64_t> blocks_;  // blocks_[b]: width before column b * kBlock
};

}  // namespace qm
