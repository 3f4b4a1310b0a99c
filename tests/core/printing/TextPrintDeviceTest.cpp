// Page layout of plain text over a measured surface: every character 10
// units wide ("W" 20, a double-byte character 20), text 12 high, an empty
// line 11, pages 100 wide and 200 high.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "printing/PrintText.h"
#include "printing/TextPrintDevice.h"

namespace {

struct Drawn {
    int page;
    int x;
    int y;
    std::string text;
    bool operator==(const Drawn&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Drawn& d) {
    return out << "{page " << d.page << ", " << d.x << ", " << d.y << ", \"" << d.text << "\"}";
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

    bool IsLeadByte(unsigned char byte) override { return byte >= 0x81 && byte <= 0x9F; }
    int TextWidth(std::string_view text) override {
        ++widthCalls;
        int width = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) {
                width += 20;
                ++i;
            } else {
                width += text[i] == 'W' ? 20 : 10;
            }
        }
        return width;
    }
    int TextHeight(std::string_view) override { return 12; }
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
    void DrawText(int x, int y, std::string_view text) override {
        EXPECT_TRUE(open) << "drawn outside a page: " << text;
        EXPECT_LE(y + 12, pageHeight) << "runs off the page: " << text;
        drawn.push_back({page, x, y, std::string(text)});
    }
};

// Prints the text the way a print run does: each line followed by CR LF.
void PrintDocument(FakeSurface& surface, const std::string& text) {
    qm::TextPrintDevice device(surface);
    for (std::string_view line : qm::EditorLines(text)) {
        device.Write(line);
        device.Write("\r\n");
    }
    device.Finish();
}

TEST(TextPrintDevice, LinesInOrderOneLineHeightApart) {
    FakeSurface s;
    PrintDocument(s, "one\r\ntwo\r\nthree\r\n");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "one"}, {1, 0, 14, "two"}, {1, 0, 28, "three"}}));
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
}

TEST(TextPrintDevice, OverlongTextIsCutBetweenCharactersAndContinued) {
    FakeSurface s;
    PrintDocument(s, "aaaa bbbbbbbbbbbbbbbbbbbbbbbbb\r\nnext");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "aaaa bbbbb"},
                                           {1, 0, 14, "bbbbbbbbbb"},
                                           {1, 0, 28, "bbbbbbbbbb"},
                                           {1, 0, 42, "next"}}));
    // Wide characters: as many as fit, whatever their widths.
    FakeSurface w;
    PrintDocument(w, "WWWWaWWWW");
    EXPECT_EQ(w.drawn, (std::vector<Drawn>{{1, 0, 0, "WWWWa"}, {1, 0, 14, "WWWW"}}));
}

TEST(TextPrintDevice, DoubleByteCharactersAreNeverSplit) {
    FakeSurface s;
    // Nine characters take 90; the double-byte one (20) no longer fits.
    PrintDocument(s, "abcdefghi\x81\x40xy");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "abcdefghi"}, {1, 0, 14, "\x81\x40xy"}}));
    // A trail byte that looks like a line break or tab is part of its character.
    FakeSurface t;
    qm::TextPrintDevice device(t);
    device.Write("\x81\x09z");
    device.Finish();
    EXPECT_EQ(t.drawn, (std::vector<Drawn>{{1, 0, 0, "\x81\x09z"}}));
}

TEST(TextPrintDevice, TabsAdvanceToStopsEveryEightAverageWidths) {
    FakeSurface s;
    s.pageWidth = 400;
    PrintDocument(s, "a\tb\r\n\tc\r\nabcdefghi\td");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "a"},
                                           {1, 80, 0, "b"},
                                           {1, 80, 14, "c"},
                                           {1, 0, 28, "abcdefghi"},
                                           {1, 160, 28, "d"}}));
    // A tab past the page width begins a new line.
    FakeSurface n;
    PrintDocument(n, "a\tb\tc");
    EXPECT_EQ(n.drawn, (std::vector<Drawn>{{1, 0, 0, "a"}, {1, 80, 0, "b"}, {1, 0, 14, "c"}}));
}

TEST(TextPrintDevice, LineFeedFormFeedAndCarriageReturn) {
    FakeSurface s;
    qm::TextPrintDevice device(s);
    device.Write("ab\rcd\ne\ff");
    device.Finish();
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "ab"}, {1, 20, 0, "cd"}, {1, 0, 14, "e"}, {2, 0, 0, "f"}}));
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end", "start", "end"}));
    // Two form feeds in a row leave a blank page between.
    FakeSurface b;
    PrintDocument(b, "x\f\fy");
    EXPECT_EQ(b.drawn, (std::vector<Drawn>{{1, 0, 0, "x"}, {3, 0, 0, "y"}}));
    EXPECT_EQ(b.page, 3);
}

TEST(TextPrintDevice, LineHeights) {
    FakeSurface s;
    PrintDocument(s, "a\r\n\r\n\r\nb");
    // Text lines are 12 + 2 high, empty ones the font's 11.
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "a"}, {1, 0, 36, "b"}}));
    qm::TextPrintDevice device(s);
    device.Write("\t");
    device.NewLine();
    EXPECT_EQ(device.Y(), 11) << "a tab prints nothing";
}

TEST(TextPrintDevice, PageBreaks) {
    // After text: y = 14 n passes 200 - 2 * 14 = 172 at the 13th line.
    FakeSurface s;
    std::string text;
    for (int i = 1; i <= 30; ++i) text += "L" + std::to_string(i) + "\r\n";
    PrintDocument(s, text);
    ASSERT_EQ(s.drawn.size(), 30u);
    EXPECT_EQ(s.drawn[12], (Drawn{1, 0, 168, "L13"}));
    EXPECT_EQ(s.drawn[13], (Drawn{2, 0, 0, "L14"}));
    EXPECT_EQ(s.drawn[26], (Drawn{3, 0, 0, "L27"}));
    EXPECT_EQ(s.page, 3);

    // After empty lines: y = 11 n passes 200 at the 19th.
    FakeSurface e;
    std::string empty;
    for (int i = 0; i < 19; ++i) empty += "\r\n";
    PrintDocument(e, empty + "x");
    EXPECT_EQ(e.drawn, (std::vector<Drawn>{{2, 0, 0, "x"}}));
    EXPECT_EQ(e.events, (std::vector<std::string>{"start", "end", "start", "end"}))
        << "the empty lines' page still comes out, as the form feed's would";
}

TEST(TextPrintDevice, TextAfterEmptyLinesNearTheBottomGoesToTheNextPage) {
    FakeSurface s;
    // 18 empty lines end at 198: a line of text there would end at 210.
    std::string text = "top\r\n";
    for (int i = 0; i < 17; ++i) text += "\r\n";
    text += "bottom";
    PrintDocument(s, text);
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "top"}, {2, 0, 0, "bottom"}}));
}

TEST(TextPrintDevice, NoBlankSheetAtTheEnd) {
    // 13 lines fill the page; the last line break begins page 2, which
    // stays empty and never comes out.
    FakeSurface s;
    std::string text;
    for (int i = 0; i < 13; ++i) text += "x\r\n";
    PrintDocument(s, text);
    EXPECT_EQ(s.page, 1);
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
    FakeSurface f;
    PrintDocument(f, "x\f");
    EXPECT_EQ(f.page, 1);
}

TEST(TextPrintDevice, EmptyDocumentGivesOneEmptyPage) {
    FakeSurface s;
    PrintDocument(s, "");
    EXPECT_TRUE(s.drawn.empty());
    EXPECT_EQ(s.events, (std::vector<std::string>{"start", "end"}));
}

TEST(TextPrintDevice, CharacterWiderThanThePageIsPrintedAlone) {
    FakeSurface s;
    s.pageWidth = 15;
    PrintDocument(s, "WaW");
    EXPECT_EQ(s.drawn, (std::vector<Drawn>{{1, 0, 0, "W"}, {1, 0, 14, "a"}, {1, 0, 28, "W"}}));
}

TEST(TextPrintDevice, LongLineCostsFewMeasurementsPerPiece) {
    FakeSurface s;
    s.pageHeight = 1 << 30;
    const std::string line(200000, 'm');
    PrintDocument(s, line);
    ASSERT_EQ(s.drawn.size(), 20000u);
    EXPECT_EQ(s.drawn.back().text, "mmmmmmmmmm");
    EXPECT_LT(s.widthCalls, 20 * 20000) << "measurements grow with the line, not per piece";
}

TEST(TextPrintDevice, SurfaceErrorsReachTheCaller) {
    FakeSurface s;
    s.failEndPageAt = 2;
    std::string text;
    for (int i = 0; i < 40; ++i) text += "line\r\n";
    EXPECT_THROW(PrintDocument(s, text), std::runtime_error);
    EXPECT_EQ(s.page, 2);
}

TEST(EditorLines, SplitsAsTheEditorCounts) {
    using V = std::vector<std::string_view>;
    EXPECT_EQ(qm::EditorLines(""), V{});
    EXPECT_EQ(qm::EditorLines("a"), V{"a"});
    EXPECT_EQ(qm::EditorLines("a\r\n"), V{"a"});
    EXPECT_EQ(qm::EditorLines("a\r\n\r\n"), (V{"a", ""}));
    EXPECT_EQ(qm::EditorLines("\r\nb\nc\rd"), (V{"", "b\nc\rd"}));
}

}  // namespace
