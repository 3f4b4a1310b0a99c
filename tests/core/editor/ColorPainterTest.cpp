#include "editor/ColorPainter.h"

#include "EditorTestSupport.h"
#include "editor/TextUnits.h"

#include <string>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QM_TEST_ALLOCATIONS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QM_TEST_ALLOCATIONS 1
#endif
#ifdef QM_TEST_ALLOCATIONS
#include <sanitizer/allocator_interface.h>
#endif

namespace qm::test {
namespace {

using Keys = std::vector<TKeyDescr>;

const std::u16string kExample = u"<HTML><!--this is the HTML-tag-->";

TEST(TColorPainter, WorkedExampleGivesTwoRuns) {
    TColorPainter painter;
    AddEditorRules(painter.ColorRules);
    const TestSnapshot snapshot(kExample);
    const int keys = painter.ScanKeys(snapshot, {});
    EXPECT_EQ(FirstRecords(painter.KeyList, keys),
              (Keys{Key(0, 5, kTagColor), Key(6, 32, kTagColor), Key(6, 32, kCommentColor, 1)}));
    EXPECT_EQ(painter.MinKeyPos, 0);
    EXPECT_EQ(painter.MaxKeyPos, 32);
    EXPECT_EQ(painter.MergeRuns(snapshot, keys), 2);
    EXPECT_EQ(FirstRecords(painter.KeyList, 2), (Keys{Key(0, 5, kTagColor), Key(6, 32, kCommentColor, 1)}));
    EXPECT_EQ(painter.KeyList[2].KeyBeg, kEmptyKey);
}

TEST(TColorPainter, DisabledRuleGivesNoRuns) {
    TColorPainter painter;
    AddEditorRules(painter.ColorRules);
    for (int i = 0; i < painter.ColorRules.Count(); ++i) {
        if (painter.ColorRules.Items(i).KeyBegEndLst != std::vector<std::u16string>{u"<!--;-->"}) {
            painter.ColorRules.Items(i).Enabled = false;
        }
    }
    // Only the comment rule is left: the tag is plain text.
    EXPECT_EQ(PaintRuns(painter, kExample, {}), (Keys{Key(6, 32, kCommentColor, 1)}));
    for (int i = 0; i < painter.ColorRules.Count(); ++i) painter.ColorRules.Items(i).Enabled = false;
    EXPECT_EQ(PaintRuns(painter, kExample, {}), Keys{});
}

TEST(TColorPainter, SelectionAndTabsSplitRuns) {
    TColorPainter painter;
    AddEditorRules(painter.ColorRules);
    TPaintInput input;
    input.SelStart = 2;
    input.SelLength = 6;
    EXPECT_EQ(PaintRuns(painter, kExample, input),
              (Keys{Key(0, 1, kTagColor), Key(2, 7, clRed, kZSelection), Key(8, 32, kCommentColor, 1)}));

    input = TPaintInput{};
    input.WantTabs = true;
    input.Color = clWhite;
    EXPECT_EQ(PaintRuns(painter, u"<a\tb>", input),
              (Keys{Key(0, 1, kTagColor), Key(2, 2, clWhite, kZTab), Key(3, 4, kTagColor)}));
    input.WantTabs = false;
    EXPECT_EQ(PaintRuns(painter, u"<a\tb>", input), (Keys{Key(0, 4, kTagColor)}));
}

TEST(TColorPainter, EqualZOrderLaterRuleWinsAndHotSpotsOutrankRules) {
    TColorPainter painter;
    painter.ColorRules.Add().SetKeyBegEndLst({u"<;>;red"});
    painter.ColorRules.Add().SetKeyBegEndLst({u"<;>;blue"});
    EXPECT_EQ(PaintRuns(painter, u"<a>"), (Keys{Key(0, 2, clBlue)}));

    painter.HotSpot.Active = true;
    EXPECT_EQ(PaintRuns(painter, u"<\x1E" u"a\x1F>"),
              (Keys{Key(0, 0, clBlue), Key(1, 1, clWindow, kZHotSpotMarker), Key(2, 2, clBlue, kZHotSpotText),
                    Key(3, 3, clWindow, kZHotSpotMarker), Key(4, 4, clBlue)}));
    // BeginChar 0 turns hot-spot scanning off.
    painter.HotSpot.BeginChar = 0;
    EXPECT_EQ(PaintRuns(painter, u"<\x1E" u"a\x1F>"), (Keys{Key(0, 4, clBlue)}));
}

TEST(TColorPainter, CaretLineRecordAndRunsOfColourZero) {
    TColorPainter painter;
    painter.ColorRules.Add().SetKeyBegEndLst({u"<;>;maroon"});
    TPaintInput input;
    input.RedrawAlways = true;
    input.SelStart = 10;
    input.CaretColumn = 10;
    input.FontColor = clNavy;
    const std::u16string text = u"abc <x> def";
    EXPECT_EQ(PaintRuns(painter, text, input), (Keys{Key(0, 3, clNavy), Key(4, 6, clMaroon), Key(7, 10, clNavy)}));
    // Colour 0 with ZOrder 0 is the colour of uncovered characters: the run
    // at the end is never closed, so it is not written.
    input.FontColor = clBlack;
    EXPECT_EQ(PaintRuns(painter, text, input), (Keys{Key(0, 3, clBlack), Key(4, 6, clMaroon)}));
}

TEST(TColorPainter, KeysAreCutToTheScannedText) {
    TColorPainter painter;
    painter.ColorRules.Add().SetKeyBegEndLst({u"<;>"});
    TPaintInput input;
    input.SelStart = 0;
    input.SelLength = 1000000;  // select all of a long text: the map stays small
    input.RedrawAlways = true;  // the caret's line lies above the scanned lines
    const std::u16string text = u"ab\r\n<c>\r\nde";
    const std::vector<TKeyDescr> runs = PaintRuns(painter, text, input, 4, 7);
    EXPECT_EQ(runs, (Keys{Key(4, 6, clRed, kZSelection)}));
    EXPECT_LE(painter.ColorMap().size(), 4u);

    // No key left inside: no runs, and the list is ended at once.
    input.SelLength = 0;
    input.RedrawAlways = false;
    EXPECT_TRUE(PaintRuns(painter, text, input, 9, 11).empty());
    EXPECT_EQ(painter.KeyList[0].KeyBeg, kEmptyKey);
    // An empty key alone (a line-end key on a line break) colours nothing.
    TColorRule& lineEnd = painter.ColorRules.Add();
    lineEnd.KeyDrawingType = dtBeginLineEnd;
    lineEnd.SetKeyLineEndLst({u"\r"});
    EXPECT_TRUE(PaintRuns(painter, u"ab\r\n", input).empty());
}

// However the keys, the selection, the caret line's key, an event's key or
// the part that shows cut an emoji, its two halves end up in one run.
TEST(TColorPainter, AnEmojiIsNeverSplitBetweenRuns) {
    const std::u16string text = u"<a \U0001F600\U0001F600 \"\U0001F600\"> x\U0001F600y";  // emoji at 3, 5, 9, 15
    struct Case {
        TPaintInput Input;
        TKeyDescr Event;  // reported by OnDraw
    };
    const Case cases[] = {
        {{.SelStart = 4, .SelLength = 2}, {}},
        {{.SelStart = 6, .SelLength = 5}, {}},
        {{.KeysFrom = 4, .KeysTo = 10}, {}},
        {{.SelStart = 15, .CaretColumn = 15, .RedrawAlways = true}, {}},
        {{}, Key(4, 15, clAqua, 9)},
        {{.KeysFrom = 6, .KeysTo = 16}, Key(10, 10, clAqua, 9)},
    };
    for (const Case& c : cases) {
        TColorPainter painter;
        AddEditorRules(painter.ColorRules);
        painter.ColorRules.Add().KeyDrawingType = dtEventDraw;
        painter.SetColorLimMax(1);
        painter.OnDraw = [&](TColorRule*, const char16_t*, TKeyDescr* a, int& count) {
            a[0] = c.Event;
            count = 1;
        };
        const std::vector<TKeyDescr> runs = PaintRuns(painter, text, c.Input);
        EXPECT_FALSE(runs.empty());
        for (const TKeyDescr& run : runs) {
            EXPECT_FALSE(InsidePair(text, static_cast<size_t>(run.KeyBeg))) << &c - cases << ": " << run.KeyBeg;
            EXPECT_FALSE(InsidePair(text, static_cast<size_t>(run.KeyEnd) + 1)) << &c - cases << ": " << run.KeyEnd;
        }
    }
}

TEST(TColorPainter, MalformedSnapshotsAreRefused) {
    TColorPainter painter;
    const char16_t text[] = u"abc";
    EXPECT_THROW(painter.BuildRuns(TScanSnapshot{text, 2, 1, 3}, {}), std::invalid_argument);
    EXPECT_THROW(painter.BuildRuns(TScanSnapshot{text, 0, 2, 1}, {}), std::invalid_argument);
    EXPECT_THROW(painter.BuildRuns(TScanSnapshot{text, 0, 0, 2}, {}), std::invalid_argument);  // no zero
    EXPECT_THROW(painter.BuildRuns(TScanSnapshot{nullptr, 0, 0, 0}, {}), std::invalid_argument);
    EXPECT_EQ(painter.BuildRuns(TScanSnapshot{text, 0, 0, 3}, {}), 0);
}

// Lines of a text and their places in a window of line height 10 whose top
// line is Top: what the control asks the edit control for.
struct TextLines {
    explicit TextLines(const std::u16string& Text) {
        size_t start = 0;
        for (;;) {
            const size_t end = Text.find(u"\r\n", start);
            Starts.push_back(static_cast<int32_t>(start));
            Lengths.push_back(static_cast<int32_t>((end == std::u16string::npos ? Text.size() : end) - start));
            if (end == std::u16string::npos) break;
            start = end + 2;
        }
    }
    TLineSpan Span(int32_t Line, int32_t Top) const {
        if (Line >= static_cast<int32_t>(Starts.size())) return {-1, 0, 0};
        return {Starts[static_cast<size_t>(Line)], (Line - Top) * 10, Lengths[static_cast<size_t>(Line)]};
    }
    // The scanned range of a paint of all lines from Top on.
    std::pair<int32_t, int32_t> ScanRange(const TDrawRules& Rules, int32_t Top, int32_t ClientBottom) const {
        const TPaintLines lines = PaintLines(false, 0, Top, static_cast<int32_t>(Starts.size()));
        const int32_t from = Starts[static_cast<size_t>(ScanStartLine(Rules, lines.First))];
        const int32_t limit = ScanLimitOf(lines.First, lines.Count, 10, ClientBottom, from,
                                          [&](int32_t line) { return Span(line, Top); });
        return {from, limit};
    }
    std::vector<int32_t> Starts;
    std::vector<int32_t> Lengths;
};

TEST(PaintRange, ScanStartFollowsRuleZeroKeyMaxHeight) {
    TDrawRules rules;
    EXPECT_EQ(ScanStartLine(rules, 5), 5);
    AddEditorRules(rules, 3);
    rules.Items(1).KeyMaxHeight = 9;  // only rule 0 counts
    EXPECT_EQ(ScanStartLine(rules, 5), 3);
    EXPECT_EQ(ScanStartLine(rules, 1), 0);
    EXPECT_EQ(ScanStartLine(rules, 0), 0);
    rules.Items(0).KeyMaxHeight = 1;
    EXPECT_EQ(ScanStartLine(rules, 5), 5);
    rules.Items(0).KeyMaxHeight = -7;  // never below the first painted line
    EXPECT_EQ(ScanStartLine(rules, 5), 5);

    EXPECT_EQ(PaintLines(true, 7, 2, 20).First, 7);
    EXPECT_EQ(PaintLines(true, 7, 2, 20).Count, 1);
    EXPECT_EQ(PaintLines(false, 7, 2, 20).Count, 18);
    EXPECT_EQ(PaintLines(false, 0, 3, 2).Count, 0);

    // A tag from the line above the top line into it is coloured only when
    // KeyMaxHeight reaches back to its line.
    const std::u16string text = u"<a\r\nb> c\r\nd";
    const TextLines lines(text);
    for (const int height : {1, 2}) {
        TColorPainter painter;
        AddEditorRules(painter.ColorRules, height);
        const auto [from, limit] = lines.ScanRange(painter.ColorRules, 1, 100);
        const Keys expected = height == 1 ? Keys{} : Keys{Key(0, 5, kTagColor)};
        EXPECT_EQ(PaintRuns(painter, text, {}, from, limit), expected) << "KeyMaxHeight " << height;
    }
}

TEST(PaintRange, AHalfVisibleLastLineIsNotScanned) {
    std::u16string text;
    for (int line = 0; line < 12; ++line) text += u"<t" + Num(line) + u">\r\n";
    text += u"<end>";
    const TextLines lines(text);
    TDrawRules rules;
    AddEditorRules(rules, 1);
    // Ten lines of 10 pixels and half an eleventh in a client area 105 high.
    EXPECT_EQ(lines.ScanRange(rules, 0, 105), std::make_pair(0, lines.Starts[10]));
    EXPECT_EQ(lines.ScanRange(rules, 0, 110), std::make_pair(0, lines.Starts[10]));
    EXPECT_EQ(lines.ScanRange(rules, 0, 111), std::make_pair(0, lines.Starts[11]));
    // Everything visible: up to the end of the last line.
    EXPECT_EQ(lines.ScanRange(rules, 10, 1000), std::make_pair(lines.Starts[10], static_cast<int32_t>(text.size())));
    // A first line above the client area: nothing is scanned.
    const int32_t limit = ScanLimitOf(3, 2, 10, 100, 20, [](int32_t) { return TLineSpan{20, -1, 5}; });
    EXPECT_EQ(limit, 20);
    EXPECT_EQ(ScanLimitOf(3, 0, 10, 100, 20, [](int32_t) { return TLineSpan{99, 0, 5}; }), 20);

    TColorPainter painter;
    AddEditorRules(painter.ColorRules, 1);
    const auto [from, limit10] = lines.ScanRange(painter.ColorRules, 0, 105);
    const Keys runs = PaintRuns(painter, text, {}, from, limit10);
    ASSERT_EQ(runs.size(), 10u);
    EXPECT_EQ(runs.back().KeyBeg, lines.Starts[9]);
}

// Two painters set up alike, one scanning a window of the text and one the
// whole text: the same keys, the same runs.
void ExpectWindowMatchesWholeText(const std::u16string& Text, int32_t ScanFrom, int32_t ScanLimit,
                                  const std::function<void(TColorPainter&)>& Setup, const TPaintInput& Input) {
    TColorPainter windowed;
    TColorPainter whole;
    Setup(windowed);
    Setup(whole);
    for (int paint = 0; paint < 2; ++paint) {
        const TestSnapshot window(Text, ScanFrom, ScanLimit, true);
        const TestSnapshot entire(Text, ScanFrom, ScanLimit, false);
        const int keys = windowed.ScanKeys(window, Input);
        ASSERT_EQ(keys, whole.ScanKeys(entire, Input));
        EXPECT_EQ(FirstRecords(windowed.KeyList, keys), FirstRecords(whole.KeyList, keys));
        EXPECT_EQ(windowed.MinKeyPos, whole.MinKeyPos);
        EXPECT_EQ(windowed.MaxKeyPos, whole.MaxKeyPos);
        const int runs = windowed.MergeRuns(window, keys);
        ASSERT_EQ(runs, whole.MergeRuns(entire, keys));
        EXPECT_EQ(FirstRecords(windowed.KeyList, runs), FirstRecords(whole.KeyList, runs));
    }
}

TEST(TColorPainter, AWindowOfTheTextScansLikeTheWholeText) {
    const std::u16string html = u"<p class=\"x\">a\r\n<!-- c\r\n-->\tb <i>KEY</i>\r\nxKEY key\r\n\x1E" u"f.htm\x1F <b>\r\n";
    TPaintInput input;
    input.WantTabs = true;
    input.SelStart = 20;
    input.SelLength = 3;
    const auto setup = [](TColorPainter& painter) {
        AddEditorRules(painter.ColorRules);
        TColorRule& sensitive = painter.ColorRules.Add();
        sensitive.KeyDrawingType = dtKeyShow;
        sensitive.KeyCase = true;
        sensitive.Keywords = {u"KEY;lime", u"i"};
        TColorRule& insensitive = painter.ColorRules.Add();
        insensitive.KeyDrawingType = dtKeyShow;
        insensitive.Keywords = {u"key"};
        painter.ColorRules.Add().KeyDrawingType = dtEventDraw;
        painter.SetColorLimMax(2);
        painter.OnDraw = [](TColorRule*, const char16_t* from, TKeyDescr* a, int& count) {
            a[0] = Key(1, static_cast<int32_t>(std::u16string_view(from).size()), clAqua, 7);
            count = 1;
        };
        painter.HotSpot.Active = true;
    };
    const int32_t lineStarts[] = {0, 16, 24, 42, 52};
    for (const int32_t from : lineStarts) {
        for (const int32_t limit : {from, from + 5, static_cast<int32_t>(html.size())}) {
            SCOPED_TRACE(testing::Message() << "ScanFrom " << from << " ScanLimit " << limit);
            ExpectWindowMatchesWholeText(html, from, limit, setup, input);
        }
    }
    // A case-sensitive keyword right at ScanFrom, with a letter before it.
    ExpectWindowMatchesWholeText(html, 43, static_cast<int32_t>(html.size()), setup, input);
}

#ifdef QM_TEST_ALLOCATIONS
int gAllocations = 0;
bool gCounting = false;
void CountMalloc(const volatile void*, size_t) {
    if (gCounting) ++gAllocations;
}
void IgnoreFree(const volatile void*) {}

TEST(TColorPainter, PaintsAllocateNothingOnceWarm) {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(CountMalloc, IgnoreFree) != 0;
    ASSERT_TRUE(installed);
    TColorPainter painter;
    AddEditorRules(painter.ColorRules);
    TColorRule& keywords = painter.ColorRules.Add();
    keywords.KeyDrawingType = dtKeyShow;
    keywords.Keywords = {u"html;navy", u"body", u"a keyword longer than fifteen characters"};
    painter.SetColorLimMax(4);
    painter.OnDraw = [](TColorRule*, const char16_t*, TKeyDescr* a, int& count) {
        a[0] = Key(0, 2, clAqua);
        count = 1;
    };
    painter.HotSpot.Active = true;
    std::u16string text;
    for (int i = 0; i < 200; ++i) text += u"<html> \"v\" <!-- c -->\tbody \x1E" u"f\x1F\r\n";
    TPaintInput input;
    input.WantTabs = true;
    input.RedrawAlways = true;
    input.SelStart = 40;
    input.SelLength = 30;
    const TestSnapshot snapshot(text, 0, static_cast<int32_t>(text.size()));
    painter.BuildRuns(snapshot, input);  // warm-up: both kinds of paint
    painter.BuildRuns(snapshot, input);
    gAllocations = 0;
    gCounting = true;
    int runs = 0;
    for (int paint = 0; paint < 4; ++paint) runs += painter.BuildRuns(snapshot, input);
    gCounting = false;
    EXPECT_EQ(gAllocations, 0);
    EXPECT_GT(runs, 4000);
}
#endif

}  // namespace
}  // namespace qm::test
