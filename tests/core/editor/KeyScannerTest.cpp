#include "editor/KeyScanner.h"

#include "EditorTestSupport.h"

#include <string>

#include "ui/Utf.h"

namespace qm::test {
namespace {

using Keys = std::vector<TKeyDescr>;

TColorRule& PairRule(TDrawRules& Rules, std::vector<std::u16string> Pairs, TColor Color = clMaroon) {
    TColorRule& rule = Rules.Add();
    rule.DefKeyColor = Color;
    rule.SetKeyBegEndLst(Pairs);
    return rule;
}

TEST(ScanBeginEnd, TagsQuotedValuesAndComments) {
    TDrawRules rules;
    AddEditorRules(rules);
    rules.PrepareRules();
    TColorRule& tags = rules.Items(0);
    TColorRule& quoted = rules.Items(1);
    TColorRule& comments = rules.Items(2);

    const std::u16string anchor = u"<A HREF=\"x.htm\">link</A>";
    EXPECT_EQ(ScanRuleKeys(tags, anchor), (Keys{Key(0, 15, kTagColor), Key(20, 23, kTagColor)}));
    EXPECT_EQ(ScanRuleKeys(quoted, anchor), (Keys{Key(8, 14, kQuotedColor, 1)}));

    // The last quote has no partner: it is dropped and the rule stops.
    EXPECT_EQ(ScanRuleKeys(quoted, u"a \"hi\" b \"c"), (Keys{Key(2, 5, kQuotedColor, 1)}));
    // The end key may start inside the begin key: "<!-->" is one comment.
    EXPECT_EQ(ScanRuleKeys(comments, u"x<!-->y"), (Keys{Key(1, 5, kCommentColor, 1)}));
    EXPECT_EQ(ScanRuleKeys(comments, u"<HTML><!--this is the HTML-tag-->"), (Keys{Key(6, 32, kCommentColor, 1)}));
}

TEST(ScanBeginEnd, TableOrderEndKeysAndScanLimit) {
    TDrawRules rules;
    // Both begin keys start at 0: the first entry wins.
    TColorRule& both = PairRule(rules, {u"<;>", u"<!--;-->;olive"});
    EXPECT_EQ(ScanRuleKeys(both, u"<!-- x -->"), (Keys{Key(0, 9, clMaroon)}));

    // A begin key without its end key ends the rule's scan; keys found
    // before it stay.
    TColorRule& braces = PairRule(rules, {u"<;>", u"{;}"});
    EXPECT_EQ(ScanRuleKeys(braces, u"<x> { <y>"), (Keys{Key(0, 2, clMaroon)}));

    // A ">" past ScanLimit is not found.
    TColorRule& tags = PairRule(rules, {u"<;>"});
    const std::u16string text = u"<a> <b\r\nc> <d>";
    EXPECT_EQ(ScanRuleKeys(tags, text, 0, 6), (Keys{Key(0, 2, clMaroon)}));
    EXPECT_EQ(ScanRuleKeys(tags, text).size(), 3u);

    // An empty end key never matches.
    TColorRule& open = PairRule(rules, {u"<;"});
    EXPECT_TRUE(ScanRuleKeys(open, u"<a> <b>").empty());
    // A line without ";" ends the table: later lines are never searched.
    TColorRule& broken = PairRule(rules, {u"{;}", u"no pair", u"<;>"});
    EXPECT_EQ(ScanRuleKeys(broken, u"<a> {b}"), (Keys{Key(4, 6, clMaroon)}));

    // Of 41 pair lines the 41st has no effect.
    std::vector<std::u16string> lines(40, u"~;~");
    lines.push_back(u"<;>");
    EXPECT_TRUE(ScanRuleKeys(PairRule(rules, lines), u"<a>").empty());
    lines[39] = u"<;>";
    EXPECT_EQ(ScanRuleKeys(PairRule(rules, lines), u"<a>").size(), 1u);

    // A rule whose table was never filled has no keys.
    TColorRule unfilled;
    unfilled.KeyBegEndLst = {u"<;>"};
    EXPECT_TRUE(ScanRuleKeys(unfilled, u"<a>").empty());
}

TEST(ScanBeginLineEnd, KeysRunToTheEndOfTheirLineWithoutTheLineBreak) {
    TColorRule rule;
    rule.KeyDrawingType = dtBeginLineEnd;
    rule.SetKeyLineEndLst({u"//;green", u"#"});
    const std::u16string text = u"a // b\r\n// c // d\r\nd #";
    EXPECT_EQ(ScanRuleKeys(rule, text), (Keys{Key(2, 5, clGreen), Key(8, 16, clGreen), Key(21, 21, clRed)}));
    // The last scanned line ends at ScanLimit.
    EXPECT_EQ(ScanRuleKeys(rule, text, 8, 12), (Keys{Key(8, 11, clGreen)}));
}

TEST(ScanKeywords, WholeWordsAndTheLetterRule) {
    TColorRule rule;
    rule.KeyDrawingType = dtKeyShow;
    rule.SetKeywords({u"HTML"});
    rule.DefKeyColor = clBlue;  // after compiling: only the rule-default entry follows
    EXPECT_EQ(ScanRuleKeys(rule, u"html"), (Keys{Key(0, 3, clRed, 0, 1), Key(0, 3, clBlue, 0, 1)}));

    struct Case {
        const char16_t* Text;
        int Beg;  // -1: no key
    };
    const Case cases[] = {
        {u"HtMl", 0},    {u"Xhtml", -1},   {u"htmls", -1},  {u"html5", 0},  {u"_html", 1},
        {u"@html", -1},  {u"[html]", 1},   {u"`html", 1},   {u"a\xC4html", 2}, {u"x\r\nhtml\r\n", 3},
    };
    for (const Case& c : cases) {
        const Keys keys = ScanRuleKeys(rule, c.Text);
        if (c.Beg < 0) {
            EXPECT_TRUE(keys.empty()) << Utf16ToUtf8(c.Text);
        } else {
            ASSERT_EQ(keys.size(), 2u) << Utf16ToUtf8(c.Text);
            EXPECT_EQ(keys[0].KeyBeg, c.Beg) << Utf16ToUtf8(c.Text);
            EXPECT_EQ(keys[1].KeyEnd, c.Beg + 3) << Utf16ToUtf8(c.Text);
        }
    }
    // Occurrences do not overlap: the search goes on after each one.
    EXPECT_EQ(ScanRuleKeys(rule, u"html html").size(), 4u);

    rule.PartWord = true;
    EXPECT_EQ(ScanRuleKeys(rule, u"Xhtmls").size(), 2u);
    EXPECT_EQ(ScanRuleKeys(rule, u"Xhtmls")[0].KeyBeg, 1);
}

TEST(ScanKeywords, TheCharacterBeforeScanFrom) {
    // A case-sensitive rule looks at the snapshot's character before
    // ScanFrom; a case-insensitive one searches a copy that starts there.
    TColorRule sensitive;
    sensitive.KeyDrawingType = dtKeyShow;
    sensitive.KeyCase = true;
    sensitive.SetKeywords({u"KEY"});
    EXPECT_EQ(ScanRuleKeys(sensitive, u"xKEY KEY key", 1).size(), 2u);
    EXPECT_EQ(ScanRuleKeys(sensitive, u"xKEY KEY key", 1)[0].KeyBeg, 5);
    EXPECT_EQ(ScanRuleKeys(sensitive, u" KEY", 1).size(), 2u);

    TColorRule insensitive;
    insensitive.KeyDrawingType = dtKeyShow;
    insensitive.SetKeywords({u"key"});
    const Keys keys = ScanRuleKeys(insensitive, u"xKEY KEY key", 1);
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[0].KeyBeg, 1);
    EXPECT_EQ(keys[2].KeyBeg, 9);
    EXPECT_EQ(keys[3].KeyBeg, 1);
}

TEST(ScanHotSpots, MarkersAndTextAcrossLines) {
    THotSpot spot;
    spot.MarkerColor = clWhite;
    TKeyDescrList list;
    int count = 0;
    const auto scan = [&](const std::u16string& text) {
        list.MarkAllEmpty();
        const TestSnapshot snapshot(text);
        TKeyScanner scanner(snapshot, list);
        count = scanner.ScanHotSpots(spot, 0);
        return FirstRecords(list, count);
    };
    EXPECT_EQ(scan(u"a\x1E" u"b\r\nc\r\nd\x1F" u"e"),
              (Keys{Key(1, 1, clWhite, 253), Key(2, 8, clBlue, 252), Key(9, 9, clWhite, 253)}));
    // Adjacent markers: an empty text key between them.
    EXPECT_EQ(scan(u"\x1E\x1F"), (Keys{Key(0, 0, clWhite, 253), Key(1, 0, clBlue, 252), Key(1, 1, clWhite, 253)}));
    // A BeginChar without its EndChar: its slot is emptied and handed on.
    EXPECT_EQ(scan(u"\x1Ex\x1F y\x1Ez").size(), 3u);
    EXPECT_EQ(list[3].KeyBeg, kEmptyKey);
    // With BeginChar equal to EndChar the markers pair up from the left.
    spot.EndChar = spot.BeginChar = u'|';
    const Keys keys = scan(u"|a|b|c|");
    ASSERT_EQ(keys.size(), 6u);
    EXPECT_EQ(keys[4], Key(5, 5, clBlue, 252));
}

class EventRule : public ::testing::Test {
protected:
    EventRule() {
        rule = &painter.ColorRules.Add();
        rule->KeyDrawingType = dtEventDraw;
        rule->ZOrder = 5;
        painter.SetColorLimMax(4);
    }
    Keys Scan(const std::u16string& Text, int32_t ScanFrom, int32_t ScanLimit = -1) {
        return FirstRecords(painter.KeyList, painter.ScanKeys(TestSnapshot(Text, ScanFrom, ScanLimit), {}));
    }
    TColorPainter painter;
    TColorRule* rule = nullptr;
};

TEST_F(EventRule, TheHandlerSeesTheScannedTextAndReportsRelativeRanges) {
    int calls = 0;
    painter.OnDraw = [&](TColorRule* sender, const char16_t* from, TKeyDescr* a, int& count) {
        ++calls;
        EXPECT_EQ(sender, rule);
        EXPECT_EQ(std::u16string_view(from), u"ijkl");
        EXPECT_EQ(count, 0);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(a[i], TKeyDescr{});
        a[0] = Key(0, 3, clTeal);
        a[1] = Key(1, 1, clNavy, 9);
        count = 2;
    };
    EXPECT_EQ(Scan(u"abcdefgh\r\nijkl", 10), (Keys{Key(10, 13, clTeal, 5), Key(11, 11, clNavy, 9)}));
    EXPECT_EQ(calls, 1);

    // Without a buffer the handler is not asked and the rule has no keys.
    painter.SetColorLimMax(0);
    EXPECT_TRUE(painter.DrawEventBuf().empty());
    EXPECT_TRUE(Scan(u"abcdefgh\r\nijkl", 10).empty());
    EXPECT_EQ(calls, 1);
}

// A handler may read from the character before FromPos to the zero at the
// scan limit, wherever the scan starts; the snapshot holds nothing more, so
// the sanitizer sees any read beyond what the handler is given.
TEST_F(EventRule, TheHandlerMayReadOneCharacterBackAndUpToTheZero) {
    std::u16string before, lines;
    painter.OnDraw = [&](TColorRule*, const char16_t* from, TKeyDescr*, int&) {
        before = std::u16string(1, from[-1]);
        lines = from;
    };
    const std::u16string text = u"<a>\r\nxy\nz\r\r\nlast";
    for (const int32_t from : {0, 5, 8, 10, 13}) {
        for (const int32_t limit : {from, from + 1, static_cast<int32_t>(text.size())}) {
            SCOPED_TRACE(testing::Message() << "ScanFrom " << from << " ScanLimit " << limit);
            Scan(text, from, limit);
            EXPECT_EQ(before, from > 0 ? text.substr(static_cast<size_t>(from) - 1, 1) : std::u16string(1, u'\0'));
            EXPECT_EQ(lines, text.substr(static_cast<size_t>(from), static_cast<size_t>(limit - from)));
        }
    }
}

TEST_F(EventRule, WildRangesAreCutToTheScannedTextOrDropped) {
    int reported = 99;
    painter.OnDraw = [&](TColorRule*, const char16_t*, TKeyDescr* a, int& count) {
        a[0] = Key(-5, 1, clRed);            // starts before ScanFrom: cut
        a[1] = Key(2, 0x7FFFFFF0, clRed);    // runs far past ScanLimit: cut
        a[2] = Key(100, 200, clRed);         // wholly outside: dropped
        a[3] = Key(3, 1, clRed);             // empty: dropped
        count = reported;
    };
    EXPECT_EQ(Scan(u"abcdefgh\r\nijkl", 10), (Keys{Key(10, 11, clRed, 5), Key(12, 13, clRed, 5)}));
    EXPECT_EQ(painter.MaxKeyPos, 13);
    reported = 1;
    EXPECT_EQ(Scan(u"abcdefgh\r\nijkl", 10).size(), 1u);
    reported = -3;
    EXPECT_TRUE(Scan(u"abcdefgh\r\nijkl", 10).empty());
}

}  // namespace
}  // namespace qm::test
