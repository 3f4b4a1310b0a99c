// Page layout of plain text over a measured surface: every character 10
// units wide ("W" 20, an emoji 20), text 12 high, an empty line 11, pages
// 100 wide and 200 high.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "printing/PrintText.h"
#include "printing/TextPrintDevice.h"
#include "ui/Utf.h"

namespace {

struct Drawn {
    int page;
    int x;
    int y;
    std::u16string text;
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
    return out << "{page " << d.page << ", " << d.x << ", " << d.y << ", \"" << qm::Utf16ToUtf8(d.text) << "\"}";
}

class FakeSurface : public qm::TPrintSurface {
public:
    int pageWidth = 100;
    int pageHeight = 200;
    int widthCalls = 0;
    int failEndPageAt = 0;  // the page whose end fails (0: none)
    std::vector<Drawn> drawn;
    std::vector<std::string> events;  // "start", "end"
    int page = 0;
    bool open = false;

    int TextWidth(std::u16string_view text) override {
        ++widthCalls;
        int width = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] >= 0xD800 && text[i] < 0xDC00 && i + 1 < text.size()) {
                width += 20;
                ++i;
            } else {
                width += text[i] == u'W' ? 20 : 10;
            }
        }
        return width;
    }
    int TextHeight(std::u16string_view) override { return 12; }
    int AverageCharWidth() override { return 10; }
    int FontHeight() override { return 11; }
    int PageWidth() override { return pageWidth; }
    int PageHeight() override { return pageHeight; }
    void StartPage() override {
        EXPECT_FALSE(open);
        open = true;
        ++page;
        events.push_back("start");
    }
    void EndPage() override {
        EXPECT_TRUE(open);
        open = false;
        events.push_back("end");
        if (page == failEndPageAt) throw std::runtime_error("EndPage failed");
    }
    void DrawText(int x, int y, std::u16string_view text) override {
        EXPECT_TRUE(open) << "drawn outside a page: " << qm::Utf16ToUtf8(text);
        EXPECT_LE(y + 12, pageHeight) << "runs off the page: " << qm::Utf16ToUtf8(text);
        drawn.push_back({page, x, y, std::u16string(text)});
    }
};

// Prints the text the way a print run does: each line followed by CR LF.
void PrintDocument(FakeSurface& surface, const std::u16string& text) {
    qm::TextPrintDevice device(surface);
    for (std::u16string_view line : qm::EditorLines(text)) {
        device.Write(line);
        device.Write(u"\r\n");
    }
    device.Finish();
}

TEST(TextPrintDevice, LinesInOrderOneLineHeightApart) {
    FakeSurface s;
    PrintDocument(s, u"one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"one"}, {1, 0, 14, u"two"}, {1, 0, 28, u"three"}}));
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
}

TEST(TextPrintDevice, OverlongTextIsCutBetweenCharactersAndContinued) {
    FakeSurface s;
    PrintDocument(s, u"aaaa bbbbbbbbbbbbbbbbbbbbbbbbb\r\nnext");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"aaaa bbbbb"},
                                           {1, 0, 14, u"bbbbbbbbbb"},
                                           {1, 0, 28, u"bbbbbbbbbb"},
                                           {1, 0, 42, u"next"}}));
    // Wide characters: as many as fit, whatever their widths.
    FakeSurface w;
    PrintDocument(w, u"WWWWaWWWW");
    EXPECT_EQ(w.drawn, (std::vector<Drawn>{{1, 0, 0, u"WWWWa"}, {1, 0, 14, u"WWWW"}}));
}

TEST(TextPrintDevice, SurrogatePairsAreNeverSplit) {
    // Nine characters take 90; the emoji (20) no longer fits, nor does its
    // first half alone.
    FakeSurface s;
    PrintDocument(s, u"abcdefghi\U0001F600xy");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"abcdefghi"}, {1, 0, 14, u"\U0001F600xy"}}));
    // On a page narrower than the emoji it is printed alone, whole.
    FakeSurface n;
    n.pageWidth = 15;
    PrintDocument(n, u"W\U0001F600W");
    EXPECT_EQ(n.drawn, (std::vector<Drawn>{{1, 0, 0, u"W"}, {1, 0, 14, u"\U0001F600"}, {1, 0, 28, u"W"}}));
}

TEST(TextPrintDevice, TabsAdvanceToStopsEveryEightAverageWidths) {
    FakeSurface s;
    s.pageWidth = 400;
    PrintDocument(s, u"a\tb\r\n\tc\r\nabcdefghi\td");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"a"},
                                           {1, 80, 0, u"b"},
                                           {1, 80, 14, u"c"},
                                           {1, 0, 28, u"abcdefghi"},
                                           {1, 160, 28, u"d"}}));
    // A tab past the page width begins a new line.
    FakeSurface n;
    PrintDocument(n, u"a\tb\tc");
    EXPECT_EQ(n.drawn, (std::vector<Drawn>{{1, 0, 0, u"a"}, {1, 80, 0, u"b"}, {1, 0, 14, u"c"}}));
}

TEST(TextPrintDevice, LineFeedFormFeedAndCarriageReturn) {
    FakeSurface s;
    qm::TextPrintDevice device(s);
    device.Write(u"ab\rcd\ne\ff");
    device.Finish();
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"ab"}, {1, 20, 0, u"cd"}, {1, 0, 14, u"e"}, {2, 0, 0, u"f"}}));
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end", "start", "end"}));
    // Two form feeds in a row leave a blank page between.
    FakeSurface b;
    PrintDocument(b, u"x\f\fy");
    EXPECT_EQ(b.drawn, (std::vector<Drawn>{{1, 0, 0, u"x"}, {3, 0, 0, u"y"}}));
    EXPECT_EQ(b.page, 3);
}

TEST(TextPrintDevice, LineHeights) {
    FakeSurface s;
    PrintDocument(s, u"a\r\n\r\n\r\nb");
    // Text lines are 12 + 2 high, empty ones the font's 11.
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"a"}, {1, 0, 36, u"b"}}));
    qm::TextPrintDevice device(s);
    device.Write(u"\t");
    device.NewLine();
    EXPECT_EQ(device.Y(), 11) << "a tab prints nothing";
}

TEST(TextPrintDevice, PageBreaks) {
    // After text: y = 14 n passes 200 - 2 * 14 = 172 at the 13th line.
    FakeSurface s;
    std::u16string text;
    for (int i = 1; i <= 30; ++i) text += u"L" + qm::Utf8ToUtf16(std::to_string(i)) + u"\r\n";
    PrintDocument(s, text);
    ASSERT_EQ(s.drawn.size(), 30u);
    EXPECT_EQ(s.drawn[12], (Drawn{1, 0, 168, u"L13"}));
    EXPECT_EQ(s.drawn[13], (Drawn{2, 0, 0, u"L14"}));
    EXPECT_EQ(s.drawn[26], (Drawn{3, 0, 0, u"L27"}));
    EXPECT_EQ(s.page, 3);

    // After empty lines: y = 11 n passes 200 at the 19th.
    FakeSurface e;
    std::u16string empty;
    for (int i = 0; i < 19; ++i) empty += u"\r\n";
    PrintDocument(e, empty + u"x");
    EXPECT_EQ(e.drawn, (std::vector<Drawn>{{2, 0, 0, u"x"}}));
    EXPECT_EQ(e.events, (std::vector<std::string>{"start", "end", "start", "end"}))
        << "the empty lines' page still comes out, as the form feed's would";
}

TEST(TextPrintDevice, TextAfterEmptyLinesNearTheBottomGoesToTheNextPage) {
    FakeSurface s;
    // 18 empty lines end at 198: a line of text there would end at 210.
    std::u16string text = u"top\r\n";
    for (int i = 0; i < 17; ++i) text += u"\r\n";
    text += u"bottom";
    PrintDocument(s, text);
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"top"}, {2, 0, 0, u"bottom"}}));
}

TEST(TextPrintDevice, NoBlankSheetAtTheEnd) {
    // 13 lines fill the page; the last line break begins page 2, which
    // stays empty and never comes out.
    FakeSurface s;
    std::u16string text;
    for (int i = 0; i < 13; ++i) text += u"x\r\n";
    PrintDocument(s, text);
    EXPECT_EQ(s.page, 1);
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
    FakeSurface f;
    PrintDocument(f, u"x\f");
    EXPECT_EQ(f.page, 1);
}

TEST(TextPrintDevice, EmptyDocumentGivesOneEmptyPage) {
    FakeSurface s;
    PrintDocument(s, u"");
    EXPECT_TRUE(s.drawn.empty());
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
}

TEST(TextPrintDevice, CharacterWiderThanThePageIsPrintedAlone) {
    FakeSurface s;
    s.pageWidth = 15;
    PrintDocument(s, u"WaW");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, u"W"}, {1, 0, 14, u"a"}, {1, 0, 28, u"W"}}));
}

TEST(TextPrintDevice, LongLineCostsFewMeasurementsPerPiece) {
    FakeSurface s;
    s.pageHeight = 1 << 30;
    const std::u16string line(200000, u'm');
    PrintDocument(s, line);
    ASSERT_EQ(s.drawn.size(), 20000u);
    EXPECT_EQ(s.drawn.back().text, u"mmmmmmmmmm");
    EXPECT_LT(s.widthCalls, 20 * 20000) << "measurements grow with the line, not per piece";
}

TEST(TextPrintDevice, SurfaceErrorsReachTheCaller) {
    FakeSurface s;
    s.failEndPageAt = 2;
    std::u16string text;
    for (int i = 0; i < 40; ++i) text += u"line\r\n";
    EXPECT_THROW(PrintDocument(s, text), std::runtime_error);
    EXPECT_EQ(s.page, 2);
}

TEST(EditorLines, SplitsAsTheEditorCounts) {
    using V = std::vector<std::u16string_view>;
    EXPECT_EQ(qm::EditorLines(u""), V{});
    EXPECT_EQ(qm::EditorLines(u"a"), V{u"a"});
    EXPECT_EQ(qm::EditorLines(u"a\r\n"), V{u"a"});
    EXPECT_EQ(qm::EditorLines(u"a\r\n\r\n"), (V{u"a", u""}));
    EXPECT_EQ(qm::EditorLines(u"\r\nb\nc\rd"), (V{u"", u"b\nc\rd"}));
}

}  // namespace
