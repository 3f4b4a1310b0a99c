#include "editor/LineWidths.h"

#include <gtest/gtest.h>

#include <string>

namespace qm::test {
namespace {

// Widths 1 to 9 by character, 0 for the zero-width code 1.
TCharWidths Widths() {
    TCharWidths widths{};
    for (size_t code = 0; code < widths.size(); ++code) widths[code] = static_cast<int32_t>(code % 9 + 1);
    widths[1] = 0;
    return widths;
}

std::string Text(size_t length) {
    std::string text;
    for (size_t i = 0; i < length; ++i) text += static_cast<char>(i % 7 == 3 ? 1 : 'a' + i % 26);
    return text;
}

TEST(TLineWidths, PrefixWidthsAcrossBlocksAreTheSumsOfTheCharacters) {
    const TCharWidths widths = Widths();
    const std::string text = Text(3 * TLineWidths::kBlock + 17);
    TLineWidths line;
    line.Index(text, widths);
    int64_t sum = 0;
    for (size_t column = 0; column <= text.size(); ++column) {
        ASSERT_EQ(line.Before(column), sum) << column;
        if (column < text.size()) sum += widths[static_cast<unsigned char>(text[column])];
    }
    EXPECT_EQ(line.Before(text.size() + 5), sum);
}

TEST(TLineWidths, ColumnAtIsTheCharacterUnderThePoint) {
    const TCharWidths widths = Widths();
    const std::string text = Text(5 * TLineWidths::kBlock);
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
            EXPECT_GT(left + widths[static_cast<unsigned char>(text[column])], x) << x;
            if (column > 0) {
                EXPECT_LE(line.Before(column), std::max<int64_t>(x, 0)) << x;
            }
        } else {
            EXPECT_GE(x, total) << x;
        }
        // Zero-width characters never stand under a point.
        if (column < text.size()) {
            EXPECT_NE(text[column], 1) << x;
        }
    }
}

TEST(TLineWidths, WidthsBeyondThirtyOneBitsStayExact) {
    TCharWidths widths{};
    widths.fill(1 << 20);
    const std::string text(5000, 'x');  // 5000 * 2^20 pixels
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
    const TCharWidths widths = Widths();
    std::string text = Text(20 * TLineWidths::kBlock + 5);
    TLineWidths line;
    line.Index(text, widths);
    int64_t left = 0;
    line.ColumnAt(int64_t{1} << 40, left);  // indexed to the end
    struct Change {
        size_t at, removed;
        std::string inserted;
    };
    const Change changes[] = {{5 * TLineWidths::kBlock + 3, 0, "zzz"}, {7 * TLineWidths::kBlock, 1, ""},
                              {2 * TLineWidths::kBlock - 1, 0, std::string(3000, 'y')}, {100, text.size(), ""}};
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
    const TCharWidths widths = Widths();
    TLineWidths line;
    line.Index("", widths);
    int64_t left = 9;
    EXPECT_EQ(line.ColumnAt(10, left), 0u);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(line.Before(3), 0);
}

}  // namespace
}  // namespace qm::test
