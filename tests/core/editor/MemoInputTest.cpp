#include "editor/MemoInput.h"

#include <gtest/gtest.h>

#include <string>

namespace qm {
namespace {

constexpr char16_t B = 30;  // the default BeginChar and EndChar
constexpr char16_t E = 31;

TEST(HotSpot, PointerOverTheNameOrItsEndCharOnly) {
    // "see " BeginChar "f.htm" EndChar " now", the line starting at offset 100.
    const std::u16string line = std::u16string(u"see ") + B + u"f.htm" + E + u" now";
    for (int column = 0; column < static_cast<int>(line.size()); ++column) {
        const bool expected = column >= 5 && column <= 10;
        EXPECT_EQ(HotSpotTest(line, 100, 100 + column, B, E), expected) << "column " << column;
    }
    // Positions not on the line are over nothing.
    EXPECT_FALSE(HotSpotTest(line, 100, 99, B, E));
    EXPECT_FALSE(HotSpotTest(line, 100, 100 + static_cast<int32_t>(line.size()) + 1, B, E));

    EXPECT_EQ(HotSpotClickText(line, 100, 105, B, E), u"f.htm");
    EXPECT_EQ(HotSpotClickText(line, 100, 108, B, E), u"f.htm");
    EXPECT_EQ(HotSpotClickText(line, 100, 110, B, E), u"f.htm");  // on the EndChar
    EXPECT_EQ(HotSpotClickText(line, 100, 104, B, E), std::nullopt);
    EXPECT_EQ(HotSpotClickText(line, 100, 112, B, E), std::nullopt);
}

TEST(HotSpot, TwoSpotsOnALineAndASpotFromAnEarlierLine) {
    const std::u16string line = std::u16string(1, B) + u"one" + E + u" mid " + B + u"two" + E;
    EXPECT_EQ(HotSpotClickText(line, 0, 2, B, E), u"one");
    EXPECT_EQ(HotSpotClickText(line, 0, 7, B, E), std::nullopt);  // between the two
    EXPECT_EQ(HotSpotClickText(line, 0, 12, B, E), u"two");

    // The spot began on the line above: the text from this line's start.
    const std::u16string rest = std::u16string(u"dir/f.htm") + E + u" tail";
    EXPECT_EQ(HotSpotClickText(rest, 40, 43, B, E), u"dir/f.htm");

    // With one character for both markers every position before one counts.
    const std::u16string bars = u"a |x| b";
    EXPECT_EQ(HotSpotClickText(bars, 0, 3, u'|', u'|'), u"x");
    EXPECT_EQ(HotSpotClickText(bars, 0, 0, u'|', u'|'), u"a ");
    EXPECT_FALSE(HotSpotTest(bars, 0, 5, u'|', u'|'));
}

TEST(HotSpot, CharFromPosAnswersWidenPast16Bits) {
    EXPECT_EQ(WidenLow16(5, 0), 5);
    EXPECT_EQ(WidenLow16(70000 & 0xFFFF, 69990), 70000);
    EXPECT_EQ(WidenLow16(3, 65534), 65539);
    EXPECT_EQ(WidenLow16(65534, 65534), 65534);
}

TEST(TextChange, OneTypedCharacterRepaintsOnlyTheCaretLine) {
    // Lines: the edit control's count less an empty last line.
    EXPECT_EQ(MemoLineCount(1, 0), 0);
    EXPECT_EQ(MemoLineCount(3, 0), 2);
    EXPECT_EQ(MemoLineCount(3, 4), 3);
    EXPECT_EQ(MemoTextEnd(0, 0, 0), -1);
    EXPECT_EQ(MemoTextEnd(2, 5, 3), 8);

    TTextChangeTracker tracker;
    EXPECT_FALSE(tracker.Changed(0, MemoTextEnd(0, 0, 0)));  // still empty: all lines
    EXPECT_FALSE(tracker.Changed(1, 1));                     // the first character
    EXPECT_TRUE(tracker.Changed(1, 2));                      // one more typed
    EXPECT_FALSE(tracker.Changed(1, 4));                     // two pasted
    EXPECT_FALSE(tracker.Changed(1, 3));                     // one deleted
    EXPECT_FALSE(tracker.Changed(2, 6));                     // a line break and a character
    EXPECT_TRUE(tracker.Changed(2, 7));
    EXPECT_FALSE(tracker.Changed(2, 7));                     // a character replaced
    EXPECT_EQ(tracker.LastLineCount, 2);
    EXPECT_EQ(tracker.LastTextEnd, 7);
    EXPECT_FALSE(CaretLineOnlyAfterChange(1, INT32_MIN, 1, INT32_MAX));
}

}  // namespace
}  // namespace qm
