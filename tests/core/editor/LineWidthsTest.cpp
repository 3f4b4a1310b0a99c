#include "editor/LineWidths.h"

#include <gtest/gtest.h>

#include <string>

namespace qm::test {
namespace {

// Widths 1 to 9 by character, 0 for the zero-width code 1; a pair (an
// emoji) 20 wide.
TCharWidths Widths(int* Measured = nullptr) {
    return TCharWidths([Measured](char32_t code) {
        if (Measured) ++*Measured;
        if (code > 0xFFFF) return TCharMetric{20, TCharKind::Native};
        return TCharMetric{code == 1 ? 0 : static_cast<int32_t>(code % 9 + 1), TCharKind::Plain};
    });
}

// Letters, zero-width characters and, every 13th place, an emoji (which may
// straddle a block's edge).
std::u16string Text(size_t length) {
    std::u16string text;
    for (size_t i = 0; text.size() < length; ++i) {
        if (i % 13 == 12 && text.size() + 2 <= length) {
            text += u"\U0001F600";
        } else {
            text += static_cast<char16_t>(i % 7 == 3 ? 1 : u'a' + i % 26);
        }
    }
    return text;
}

int32_t Width(std::u16string_view text, size_t column) {
    if (column > 0 && text[column - 1] == 0xD83D) return 0;
    return text[column] == 0xD83D ? 20 : text[column] == 1 ? 0 : static_cast<int32_t>(text[column] % 9 + 1);
}

TEST(TCharWidths, EachCharacterIsMeasuredOnceAndAPairAsOne) {
    int measured = 0;
    TCharWidths widths = Widths(&measured);
    // a, é, 日, an emoji, a combining accent, alef, a control character, a, the emoji again
    const std::u16string text = u"a\u00e9\u65e5\U0001F600\u0301\u05d0\x01" u"a\U0001F600";
    using enum TCharKind;
    const TCharKind kinds[] = {Plain, Plain, Plain, Native, Native, Shaped, Shaped, Control, Plain, Native, Native};
    const int32_t expected[] = {8, 9, 4, 20, 0, 5, 4, 0, 8, 20, 0};
    for (size_t i = 0; i < text.size(); ++i) {
        EXPECT_EQ(widths.At(text, i).Width, expected[i]) << i;
        EXPECT_EQ(widths.At(text, i).Kind, kinds[i]) << i;
    }
    EXPECT_EQ(measured, 7);
    widths.Clear();  // another font
    widths.At(text, 0);
    EXPECT_EQ(measured, 8);
}

TEST(TLineWidths, PrefixWidthsAcrossBlocksAreTheSumsOfTheCharacters) {
    TCharWidths widths = Widths();
    const std::u16string text = Text(3 * TLineWidths::kBlock + 17);
    TLineWidths line;
    line.Index(text, widths);
    int64_t sum = 0;
    for (size_t column = 0; column <= text.size(); ++column) {
        ASSERT_EQ(line.Before(column), sum) << column;
        if (column < text.size()) sum += Width(text, column);
    }
    EXPECT_EQ(line.Before(text.size() + 5), sum);
}

TEST(TLineWidths, ColumnAtIsTheCharacterUnderThePoint) {
    TCharWidths widths = Widths();
    const std::u16string text = Text(5 * TLineWidths::kBlock);
    TLineWidths line;
    line.Index(text, widths);
    const int64_t total = line.Before(text.size());
    for (int64_t x : {int64_t{-5}, int64_t{0}, int64_t{1}, int64_t{4999}, int64_t{5000}, total / 2, total - 1, total,
                      total + 100}) {
        int64_t left = -1;
        const size_t column = line.ColumnAt(x, left);
        EXPECT_EQ(left, line.Before(column)) << x;
        if (column < text.size()) {
            // It ends right of x, and every one before it ends at or left of x.
            EXPECT_GT(left + Width(text, column), x) << x;
            if (column > 0) {
                EXPECT_LE(line.Before(column), std::max<int64_t>(x, 0)) << x;
            }
        } else {
            EXPECT_GE(x, total) << x;
        }
        // Zero-width characters (and second halves of pairs) never stand
        // under a point.
        if (column < text.size()) {
            EXPECT_NE(Width(text, column), 0) << x;
        }
    }
}

TEST(TLineWidths, WidthsBeyondThirtyOneBitsStayExact) {
    TCharWidths widths([](char32_t) { return TCharMetric{1 << 20, TCharKind::Plain}; });
    const std::u16string text(5000, u'x');  // 5000 * 2^20 pixels
    TLineWidths line;
    line.Index(text, widths);
    EXPECT_EQ(line.Before(text.size()), int64_t{5000} << 20);
    int64_t left = 0;
    EXPECT_EQ(line.ColumnAt((int64_t{4321} << 20) + 7, left), 4321u);
    EXPECT_EQ(left, int64_t{4321} << 20);
}

// A line indexed far along, then changed (characters typed, taken away,
// the line cut short): every answer is that of a fresh index of the new text.
TEST(TLineWidths, AChangedLineAnswersAsAFreshIndex) {
    TCharWidths widths = Widths();
    std::u16string text = Text(20 * TLineWidths::kBlock + 5);
    const size_t pairEnd = 8 * TLineWidths::kBlock;  // a pair across a block's start
    text.replace(pairEnd - 1, 2, u"\U0001F600");
    TLineWidths line;
    line.Index(text, widths);
    int64_t left = 0;
    line.ColumnAt(int64_t{1} << 40, left);  // indexed to the end
    struct Change {
        size_t at, removed;
        std::u16string inserted;
    };
    // First the second half of the pair replaced: its first half's width goes.
    const Change changes[] = {{pairEnd, 1, u"q"}, {5 * TLineWidths::kBlock + 3, 0, u"zzz"},
                              {7 * TLineWidths::kBlock, 1, u""},
                              {2 * TLineWidths::kBlock - 1, 0, std::u16string(3000, u'y')}, {100, text.size(), u""}};
    for (const Change& change : changes) {
        text.replace(change.at, change.removed, change.inserted);
        line.Changed(text, change.at);
        TLineWidths fresh;
        fresh.Index(text, widths);
        for (size_t column = 0; column <= text.size(); column += 97) {
            ASSERT_EQ(line.Before(column), fresh.Before(column)) << change.at << " " << column;
        }
        for (int64_t x = -5; x < fresh.Before(text.size()) + 50; x += 331) {
            int64_t a = 0, b = 0;
            ASSERT_EQ(line.ColumnAt(x, a), fresh.ColumnAt(x, b)) << x;
            ASSERT_EQ(a, b) << x;
        }
    }
}

TEST(TLineWidths, EmptyLine) {
    TCharWidths widths = Widths();
    TLineWidths line;
    line.Index(u"", widths);
    int64_t left = 9;
    EXPECT_EQ(line.ColumnAt(10, left), 0u);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(line.Before(3), 0);
}

}  // namespace
}  // namespace qm::test
