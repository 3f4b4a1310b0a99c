// The editor's rules wiring: the text OnDraw sees (only the scanned lines are
// copied, yet they are exactly the control's text there), ColorLimMax,
// OnDrawKey, rule sets copied between controls, and a paint's native queries
// that do not grow with the document.
#include <gtest/gtest.h>

#include "MemoHost.h"
#include "TestSupport.h"

namespace qmtest {
namespace {

using qm::TColorMemo;

// What the scan of a paint covers, found the long way: from the whole text
// and a position query per line.
struct Range {
    int from, limit;
};

Range ExpectedRange(TColorMemo& memo, bool caretLineOnly) {
    HWND edit = memo.Handle();
    auto send = [&](UINT message, WPARAM wParam) { return static_cast<int>(SendMessageW(edit, message, wParam, 0)); };
    const int editLines = send(EM_GETLINECOUNT, 0);
    const int lastStart = send(EM_LINEINDEX, static_cast<WPARAM>(editLines - 1));
    const int lines = send(EM_LINELENGTH, static_cast<WPARAM>(lastStart)) == 0 ? editLines - 1 : editLines;
    const int top = send(EM_GETFIRSTVISIBLELINE, 0);
    const int first = caretLineOnly ? send(EM_LINEFROMCHAR, static_cast<WPARAM>(memo.SelStart())) : top;
    const int count = caretLineOnly ? 1 : lines - first;
    const int height = memo.ColorRules().Count() > 0 ? memo.ColorRules().Items(0).KeyMaxHeight : 1;
    const int startLine = first > 0 ? std::max(0, first - (height - 1)) : 0;
    RECT client;
    GetClientRect(edit, &client);
    Range range{send(EM_LINEINDEX, static_cast<WPARAM>(startLine)), 0};
    range.limit = range.from;
    for (int i = 0; i < count; ++i) {
        const int start = send(EM_LINEINDEX, static_cast<WPARAM>(first + i));
        const int y = CharPos(edit, start).y;
        if (y < 0 || y + LineHeight(memo) >= client.bottom) {
            range.limit = start;
            break;
        }
        range.limit = start + send(EM_LINELENGTH, static_cast<WPARAM>(start));
    }
    return range;
}

class ColorMemoRulesTest : public ::testing::Test {
protected:
    MemoHost host{420, 200};
    TColorMemo& memo = host.Memo();
    // What the last OnDraw call saw.
    int drawCalls = 0;
    std::u16string seen;
    char16_t seenBefore = 0;  // the character before it

    void WatchOnDraw(int reported = 0, qm::TColor color = qm::clFuchsia) {
        qm::TColorRule& rule = memo.ColorRules().Add();
        rule.KeyDrawingType = qm::dtEventDraw;
        rule.ZOrder = 5;
        memo.OnDraw = [this, reported, color](qm::TColorRule*, const char16_t* from, qm::TKeyDescr* records,
                                              int& count) {
            ++drawCalls;
            seen = from;
            seenBefore = from[-1];
            if (reported > 0) {
                records[0] = qm::TKeyDescr{0, reported - 1, color, 0, 0};
                count = 1;
            }
        };
        memo.SetColorLimMax(4);
    }
    // The scanned text OnDraw saw against the text found the long way.
    void ExpectScanned(bool caretLineOnly, const std::string& what) {
        const Range range = ExpectedRange(memo, caretLineOnly);
        const std::wstring wide = memo.Text();
        const std::u16string text(wide.begin(), wide.end());
        EXPECT_EQ(seen, text.substr(static_cast<size_t>(range.from), static_cast<size_t>(range.limit - range.from)))
            << what;
        // The character before the scanned lines, which keywords look at.
        EXPECT_EQ(seenBefore, range.from > 0 ? text[static_cast<size_t>(range.from) - 1] : u'\0') << what;
    }
    void Repaint() {
        seen = u"(not called)";
        memo.ResetStats();
        memo.RedrawColors(nullptr, false);
    }
};

// Wherever the view is, whatever breaks the lines (CR LF, a lone line feed,
// CR CR LF, word wrap), whatever the characters.
TEST_F(ColorMemoRulesTest, OnDrawSeesExactlyTheScannedLinesWhereverTheViewIs) {
    WatchOnDraw();
    std::wstring text;
    for (int i = 0; i < 300; ++i) {
        text += L"<p class=\"c\">line \u00e9\U0001F600 " + std::to_wstring(i) + (i % 7 ? L"" : L"\t<b>") + L"\r\n";
    }
    memo.SetText(text);
    for (int top : {0, 1, 2, 150, 290, 299}) {
        SendMessageW(memo.Handle(), EM_LINESCROLL, 0, top - SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        Repaint();
        ExpectScanned(false, "top " + std::to_string(top));
    }
    memo.ColorRules().Items(0).KeyMaxHeight = 1;
    Repaint();
    ExpectScanned(false, "one-line keys");

    // Text changed behind the control's back is seen too.
    SendMessageW(memo.Handle(), EM_SETSEL, 0, -1);
    SendMessageW(memo.Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L"<p>\r\n<b>\r\n"));
    Repaint();
    ExpectScanned(false, "replaced");
    SendMessageW(memo.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    Repaint();
    ExpectScanned(false, "set directly");

    // The caret's line alone after one typed character, from two lines above.
    memo.ColorRules().Items(0).KeyMaxHeight = 3;
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, -100);
    const int caret = static_cast<int>(SendMessageW(memo.Handle(), EM_LINEINDEX, 200, 0)) + 4;
    memo.SetSelection(caret, 0);
    Settle(memo);
    SendMessageW(memo.Handle(), WM_CHAR, 'x', 1);
    ExpectScanned(true, "caret line");

    // Lone line feeds and CR CR LF among the line breaks, and word wrap.
    std::wstring odd;
    for (int i = 0; i < 80; ++i) {
        odd += L"<i>item " + std::to_wstring(i) + (i % 3 == 1 ? L"</i>\n" : i % 5 == 2 ? L"</i>\r\r\n" : L"</i>\r\n");
    }
    memo.SetText(odd);
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, 30);
    Repaint();
    ExpectScanned(false, "lone line feeds and CR CR LF");

    std::wstring wrapped;
    for (int i = 0; i < 40; ++i) {
        wrapped += L"words and <b>more</b> words " + std::wstring(40, L'w') + std::to_wstring(i);
    }
    memo.SetWordWrap(true);
    memo.SetText(wrapped + L"\r\nend\r\n");
    for (int top : {0, 7, 30}) {
        SendMessageW(memo.Handle(), EM_LINESCROLL, 0, top - SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        Repaint();
        ExpectScanned(false, "word wrap, top " + std::to_string(top));
    }
}

TEST_F(ColorMemoRulesTest, ColorLimMaxZeroKeepsOnDrawSilentOtherwiseItsRangesAreColoured) {
    WatchOnDraw(4);
    memo.SetColorLimMax(0);
    memo.SetText(L"abcdefgh");
    Repaint();
    EXPECT_EQ(drawCalls, 0);
    Settle(memo);
    EXPECT_EQ(Pixels(memo.Handle()).Count(CharsRect(memo, 0, 3), Ref(qm::clFuchsia)), 0);

    memo.SetColorLimMax(4);
    InvalidateRect(memo.Handle(), nullptr, TRUE);
    Settle(memo);
    EXPECT_GT(drawCalls, 0);
    EXPECT_EQ(seen, u"abcdefgh");
    const Pixels pixels(memo.Handle());
    EXPECT_GT(pixels.Count(CharsRect(memo, 0, 3), Ref(qm::clFuchsia)), 0);
    EXPECT_EQ(pixels.Count(CharsRect(memo, 4, 7), Ref(qm::clFuchsia)), 0);
}

TEST_F(ColorMemoRulesTest, OnDrawKeyDrawsKeywordRunsInsteadOfTheControl) {
    memo.ColorRules().Clear();
    qm::TColorRule& keywords = memo.ColorRules().Add();
    keywords.KeyDrawingType = qm::dtKeyShow;
    keywords.DefKeyColor = qm::clFuchsia;
    keywords.SetKeywords({u"HTML"});
    struct Call {
        std::wstring key;
        RECT rect;
        qm::TColor fontColor, canvasColor;
    };
    std::vector<Call> calls;
    memo.OnDrawKey = [&](qm::TMemoCanvas& canvas, const std::wstring& key, const RECT& rect, qm::TColor color) {
        calls.push_back(Call{key, rect, color, canvas.FontColor});
    };
    memo.SetText(L"an html page");
    memo.SetSelection(0, 0);
    calls.clear();
    memo.RedrawColors(nullptr, false);
    ASSERT_EQ(calls.size(), 1u);
    const Call& call = calls.front();
    EXPECT_EQ(call.key, L"html");
    const RECT cell = CharsRect(memo, 3, 6);
    EXPECT_EQ(call.rect.left, cell.left);
    EXPECT_EQ(call.rect.right, cell.right);
    EXPECT_EQ(call.rect.top, cell.top);
    EXPECT_EQ(call.rect.bottom - call.rect.top, LineHeight(memo));
    EXPECT_EQ(call.fontColor, qm::clBlack);
    EXPECT_EQ(call.canvasColor, qm::clFuchsia);
    Settle(memo);
    EXPECT_EQ(Pixels(memo.Handle()).Count(cell, Ref(qm::clFuchsia)), 0);
}

TEST_F(ColorMemoRulesTest, AssignedRulesAreCopiesOfTheirOwn) {
    TColorMemo& other = host.AddMemo(0, 210, 420, 60);
    other.ColorRules().Clear();
    other.SetColorRules(memo.ColorRules());
    ASSERT_EQ(other.ColorRules().Count(), 3);
    EXPECT_EQ(other.ColorRules().Items(2).KeyBegEndLst, memo.ColorRules().Items(2).KeyBegEndLst);

    memo.ColorRules().Items(0).DefKeyColor = qm::clFuchsia;
    memo.ColorRules().Items(0).KeyBegEndLst = {u"[;]"};
    memo.ColorRules().Add();
    EXPECT_EQ(other.ColorRules().Count(), 3);
    EXPECT_EQ(other.ColorRules().Items(0).KeyBegEndLst, std::vector<std::u16string>{u"<;>"});

    for (TColorMemo* each : {&memo, &other}) {
        each->SetText(L"<b>[x]</b>");
        for (int paint = 0; paint < 2; ++paint) {  // of two paints one prepares the changed rule
            InvalidateRect(each->Handle(), nullptr, TRUE);
            Settle(*each);
        }
    }
    EXPECT_GT(Pixels(memo.Handle()).Count(CharsRect(memo, 3, 5), Ref(qm::clFuchsia)), 0);
    EXPECT_EQ(Pixels(memo.Handle()).Count(CharsRect(memo, 0, 2), Ref(kTag)), 0);
    EXPECT_GT(Pixels(other.Handle()).Count(CharsRect(other, 0, 2), Ref(kTag)), 0);
    EXPECT_EQ(Pixels(other.Handle()).Count(CharsRect(other, 3, 5), Ref(qm::clFuchsia)), 0);
}

TEST_F(ColorMemoRulesTest, APaintAsksTheSameOfAShortAndAVeryLongDocument) {
    auto document = [](int lines) {
        std::wstring text;
        for (int i = 0; i < lines; ++i) text += L"<tr><td class=\"x\">cell</td><!-- c --></tr>\r\n";
        return text;
    };
    qm::TColorMemoStats stats[2];
    int index = 0;
    for (int lines : {200, 20000}) {
        memo.SetText(document(lines));
        SendMessageW(memo.Handle(), EM_LINESCROLL, 0, lines / 2);
        Settle(memo);
        memo.ForgetCopiedText();
        memo.ResetStats();
        memo.RedrawColors(nullptr, false);
        stats[index++] = memo.Stats();
    }
    EXPECT_EQ(stats[0].Paints, 1u);
    EXPECT_EQ(stats[0].Queries, stats[1].Queries);
    EXPECT_EQ(stats[0].CopiedChars, stats[1].CopiedChars);
    EXPECT_GT(stats[1].CopiedChars, 10u * 45u);
    EXPECT_LT(stats[1].CopiedChars, 20u * 45u);  // the visible lines and two above, not the text

    // The same lines of the same text again: nothing is copied.
    memo.ResetStats();
    memo.RedrawColors(nullptr, false);
    EXPECT_EQ(memo.Stats().CopiedChars, 0u);
    EXPECT_LT(memo.Stats().Queries, stats[1].Queries / 2);
}

}  // namespace
}  // namespace qmtest
