// What a painted editor shows: the rule colours where their runs lie, the
// native selection and tab layout, nothing on a half-visible last line.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "MemoHost.h"
#include "TestSupport.h"
#include "ui/Gdi.h"

namespace qmtest {
namespace {

using qm::TColorMemo;

class ColorMemoPaintTest : public ::testing::Test {
protected:
    MemoHost host{420, 200};
    TColorMemo& memo = host.Memo();

    void Show(const std::wstring& text) {
        memo.SetText(text);
        memo.SetSelection(0, 0);
        InvalidateRect(memo.Handle(), nullptr, TRUE);
        Settle(memo);
    }
    // Pixels of a colour over the characters of `part` (its n-th occurrence).
    int ColourOver(const Pixels& pixels, const std::wstring& part, qm::TColor color, int from = 0) {
        const int at = Find(memo, part, from);
        return pixels.Count(CharsRect(memo, at, at + static_cast<int>(part.size()) - 1), Ref(color));
    }
};

// Tags, quoted values and comments in their colours only where they lie, and
// the selection inside a key in the system's highlight. The text is pasted
// and breaks its lines with a lone line feed and with CR CR LF too, which
// the native control takes as line breaks of one and three characters; the
// lines between the two are where most is checked.
TEST_F(ColorMemoPaintTest, PastedMixedLineBreaksKeepColoursAndSelectionOnTheirCharacters) {
    const std::wstring pasted =
        L"plain first line\n"
        L"<b>bold</b> then <a href=\"page.htm\">link</a>\r\n"
        L"more <span class=\"n\">x</span> <!-- note --> text\r\r\n"
        L"<p>last</p>\r\n";
    Show(L"");
    memo.SetFocus();
    SetClipboardText(host.Handle(), pasted);
    PressKeys({VK_CONTROL, L'V'});
    Settle(memo);
    ASSERT_EQ(GetFocus(), memo.Handle());
    ASSERT_EQ(memo.Text(), pasted);
    ASSERT_EQ(SendMessageW(memo.Handle(), EM_LINEINDEX, 1, 0), Find(memo, L"<b>"));
    ASSERT_EQ(SendMessageW(memo.Handle(), EM_LINEINDEX, 3, 0), Find(memo, L"<p>"));
    const int href = Find(memo, L"href");
    memo.SetSelection(href, 4);
    Settle(memo);
    const Pixels pixels(memo.Handle());

    const RECT selected = CharsRect(memo, href, href + 3);
    EXPECT_GT(pixels.Count(selected, GetSysColor(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(pixels.Count(selected, GetSysColor(COLOR_HIGHLIGHTTEXT)), 0);
    EXPECT_EQ(pixels.Count(selected, Ref(kTag)), 0);
    EXPECT_EQ(pixels.Count(selected, Ref(qm::clRed)), 0);  // the selection's own key is never drawn
    // Each character of the selection keeps the highlight (none is painted
    // over in the window colour).
    for (int at = href; at < href + 4; ++at) {
        EXPECT_GT(pixels.Count(CharsRect(memo, at, at), GetSysColor(COLOR_HIGHLIGHT)), 0) << at - href;
    }
    // The rest of the tag around the selection is coloured.
    EXPECT_GT(ColourOver(pixels, L"<a ", kTag), 0);
    EXPECT_GT(ColourOver(pixels, L"</a>", kTag), 0);
    for (const wchar_t* tag : {L"<b>", L"</b>", L"<span class=", L"</span>", L"<p>", L"</p>"}) {
        EXPECT_GT(ColourOver(pixels, tag, kTag), 0) << tag;
        EXPECT_EQ(ColourOver(pixels, tag, qm::clBlack), 0) << tag;
    }
    EXPECT_GT(ColourOver(pixels, L"\"page.htm\"", kQuoted), 0);
    EXPECT_EQ(ColourOver(pixels, L"\"page.htm\"", kTag), 0);
    EXPECT_GT(ColourOver(pixels, L"\"n\"", kQuoted), 0);
    EXPECT_GT(ColourOver(pixels, L"<!-- note -->", kComment), 0);
    EXPECT_EQ(ColourOver(pixels, L"<!-- note -->", kTag), 0);
    for (const wchar_t* plain : {L"plain first line", L"bold", L" then ", L"link", L"more ", L" text", L"last"}) {
        EXPECT_GT(ColourOver(pixels, plain, qm::clBlack), 0) << plain;
        for (qm::TColor color : {kTag, kQuoted, kComment}) EXPECT_EQ(ColourOver(pixels, plain, color), 0) << plain;
    }
}

// Scrolled to a line inside a tag that starts two lines above it, in a
// window of ten lines and half an eleventh: the tag is coloured where it
// shows, the whole lines are coloured, the half one is not.
TEST_F(ColorMemoPaintTest, ScrolledViewColoursTagsFromAboveAndOnlyWholeLines) {
    const int h = LineHeight(memo);
    RECT format;
    SendMessageW(memo.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    host.SetClientSize(memo, 420, format.top + 10 * h + h / 2);
    std::wstring text;
    for (int i = 0; i < 10; ++i) text += L"line\r\n";
    text += L"<img\r\nsrc=x\r\nalt=y> after\r\n";
    for (int i = 0; i < 14; ++i) text += L"<b>bold</b> text\r\n";
    Show(text);
    const int altLine = static_cast<int>(SendMessageW(memo.Handle(), EM_LINEFROMCHAR, Find(memo, L"alt=y"), 0));
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, altLine);
    Settle(memo);
    ASSERT_EQ(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), altLine);
    const Pixels pixels(memo.Handle());

    EXPECT_GT(ColourOver(pixels, L"alt=y>", kTag), 0);
    EXPECT_EQ(ColourOver(pixels, L" after", kTag), 0);
    const int tenth = static_cast<int>(SendMessageW(memo.Handle(), EM_LINEINDEX, altLine + 9, 0));
    const int eleventh = static_cast<int>(SendMessageW(memo.Handle(), EM_LINEINDEX, altLine + 10, 0));
    EXPECT_GT(pixels.Count(CharsRect(memo, tenth, tenth + 2), Ref(kTag)), 0);
    // (Wine's control does not show a line it cannot show whole; Windows
    // shows it in the font colour.)
    RECT half = CharsRect(memo, eleventh, eleventh + 10);
    half.bottom = pixels.Height();
    EXPECT_EQ(pixels.Count(half, Ref(kTag)), 0);
}

TEST_F(ColorMemoPaintTest, TabsInsideAKeyKeepTheNativeLayout) {
    for (bool wantTabs : {false, true}) {
        memo.SetWantTabs(wantTabs);
        Show(L"<a\thref=x\tname=y> z");
        const Pixels pixels(memo.Handle());
        const int tab = Find(memo, L"\t");
        // Text after the tabs sits where the native control put it, and the
        // tabs' gaps stay empty.
        EXPECT_GT(ColourOver(pixels, L"href=x", kTag), 0) << wantTabs;
        EXPECT_GT(ColourOver(pixels, L"name=y>", kTag), 0) << wantTabs;
        EXPECT_EQ(ColourOver(pixels, L"href=x", qm::clBlack), 0) << wantTabs;
        RECT gap = CharsRect(memo, tab, tab);
        gap.left += 4;  // what a glyph drawn there would cover
        EXPECT_EQ(pixels.Count(gap, Ref(kTag)), 0) << wantTabs;
        EXPECT_EQ(pixels.Count(gap, Ref(qm::clBlack)), 0) << wantTabs;
    }
}

// Hot-spot text underlined between solid markers; with the default markers,
// control characters to which Wine's control gives no width at all, and
// other control characters, nothing covers the text beside them.
TEST_F(ColorMemoPaintTest, HotSpotsAndControlCharactersStayOnTheirCharacters) {
    memo.HotSpot().Active = true;
    memo.HotSpot().BeginChar = L'{';
    memo.HotSpot().EndChar = L'}';
    memo.HotSpot().Color = qm::clBlue;
    memo.HotSpot().MarkerColor = qm::clFuchsia;
    Show(L"see {index.htm} end\r\n");
    const Pixels pixels(memo.Handle());

    const int begin = Find(memo, L"{");
    for (int marker : {begin, begin + 10}) {
        const RECT cell = CharsRect(memo, marker, marker);
        const int area = (cell.right - cell.left) * (cell.bottom - cell.top);
        ASSERT_GT(area, 0);
        EXPECT_EQ(pixels.Count(cell, Ref(qm::clFuchsia)), area);
    }
    const RECT link = CharsRect(memo, begin + 1, begin + 9);
    EXPECT_GT(pixels.Count(link, Ref(qm::clBlue)), 0);
    // The underline: a row of the link's width in the link colour.
    int longestRow = 0;
    for (int y = link.top; y < link.bottom; ++y) {
        longestRow = std::max(longestRow, pixels.Count(RECT{link.left, y, link.right, y + 1}, Ref(qm::clBlue)));
    }
    EXPECT_GE(longestRow, link.right - link.left - 1);
    EXPECT_EQ(ColourOver(pixels, L" end", qm::clBlue), 0);
    EXPECT_EQ(ColourOver(pixels, L" end", qm::clFuchsia), 0);

    // The default markers.
    memo.HotSpot().BeginChar = 30;
    memo.HotSpot().EndChar = 31;
    Show(L"see \x1e" L"index.htm\x1f end <a\x01q\x7fz>\r\n");
    const Pixels shown(memo.Handle());
    EXPECT_GT(ColourOver(shown, L"index.htm", qm::clBlue), 0);
    EXPECT_EQ(ColourOver(shown, L"index.htm", qm::clBlack), 0);
    EXPECT_GT(ColourOver(shown, L" end", qm::clBlack), 0);
    EXPECT_EQ(ColourOver(shown, L" end", qm::clFuchsia), 0);
    for (const wchar_t* inTag : {L"<a", L"q", L"z>"}) {
        EXPECT_GT(ColourOver(shown, inTag, kTag), 0) << inTag;
        EXPECT_EQ(ColourOver(shown, inTag, qm::clBlack), 0) << inTag;
    }
}

TEST_F(ColorMemoPaintTest, LongLinesAreNotDrawnOutsideTheEditor) {
    host.SetClientSize(memo, 200, 100);
    const TColorMemo& neighbour = host.AddMemo(memo.Width() + 10, 0, 150, 100);
    std::wstring tag = L"<";
    tag.append(200, L'w');
    Show(tag + L">\r\n");
    const Pixels pixels(host.Handle());
    RECT besides{memo.Width(), 0, pixels.Width(), memo.Height()};
    EXPECT_EQ(pixels.Count(besides, Ref(kTag)), 0);
    EXPECT_NE(neighbour.Handle(), nullptr);
}

// Colouring changes the colour of the text, never its shape: the pixels that
// are not background are the same with and without the rules, also around
// letters of other scripts and emoji.
TEST(ColorMemoShapeTest, ColouredTextLiesExactlyOverTheNativeText) {
    MemoHost host(520, 120);
    qm::TColorMemo& memo = host.Memo();
    const std::wstring text =
        L"<body bgcolor=\"#FFFFFF\">\r\n<a href=\"x.htm\">link</a> plain\r\n<head><title>Test \"page\"</title></head>\r\n"
        L"<!-- a comment --> <img\tsrc=\"a.gif\"> \x01<b>\r\n"
        L"<p title=\"caf\u00e9 \u2014 \u65e5\u672c\">na\u00efve \U0001F600 \u0101<i>\u0401\U0001F600</i>\u00e9</p>\r\n";
    memo.SetText(text);
    for (const char* face : {"MS Sans Serif", "Tahoma", "Courier New", "Times New Roman"}) {
        for (int height : {-11, -13, -16}) {
            qm::TFont font = memo.Font();
            font.Name = face;
            font.Height = height;
            memo.SetFont(font);
            auto ink = [&](bool rules) {
                qm::TDrawRules kept;
                kept.Assign(memo.ColorRules());
                if (!rules) memo.SetColorRules(qm::TDrawRules());
                InvalidateRect(memo.Handle(), nullptr, TRUE);
                Settle(memo);
                const Pixels pixels(memo.Handle());
                memo.SetColorRules(kept);
                std::wstring mask;
                for (int y = 0; y < pixels.Height(); ++y) {
                    for (int x = 0; x < pixels.Width(); ++x) mask += pixels.At(x, y) == Ref(qm::clWhite) ? '.' : '#';
                    mask += '\n';
                }
                return mask;
            };
            const std::wstring plain = ink(false);
            const std::wstring coloured = ink(true);
            EXPECT_TRUE(plain == coloured) << face << " " << height;  // (masks too long to print)
        }
    }
}

}  // namespace
}  // namespace qmtest

namespace qmtest {
namespace {

// The window's client area drawn by the control straight onto a device
// context of the caller's (the native text, then the colours over it).
Pixels StraightPicture(qm::TColorMemo& memo) {
    return Pixels(memo.Handle(), [&memo](HDC dc) { SendMessageW(memo.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); });
}

// A paint is composed off screen and copied to the screen at once. What
// shows is exactly what drawing straight onto a device context gives: the
// colours on their characters, the selection's highlight, the caret's line
// drawn again; also after the off-screen picture held another text and
// when only part of the window is painted (after a scroll).
TEST(ColorMemoComposedPaintTest, ShowsExactlyWhatDrawingStraightGives) {
    MemoHost host(420, 160);
    TColorMemo& memo = host.Memo();
    std::wstring before;
    for (int i = 0; i < 40; ++i) before += L"<!-- another text, painted first -->\r\n";
    memo.SetText(before);
    Settle(memo);

    std::wstring text;
    for (int i = 0; i < 40; ++i) {
        text += L"<td class=\"c" + std::to_wstring(i) + L"\">cell " + std::to_wstring(i) +
                L"</td> plain <!-- note --> \"quoted\"\r\n";
    }
    memo.SetText(text);
    memo.SetRedrawAlways(true);
    memo.SetFocus();
    ASSERT_EQ(GetFocus(), memo.Handle());
    const int selected = Find(memo, L"cell 3");
    memo.SetSelection(selected, 60);  // over a line break
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, 2);
    Settle(memo);
    SendMessageW(memo.Handle(), EM_LINESCROLL, 0, 1);  // paints the newly shown line only
    Settle(memo);
    ASSERT_EQ(SendMessageW(memo.Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 3);

    HideCaret(memo.Handle());
    const Pixels shown(memo.Handle());
    const Pixels straight = StraightPicture(memo);
    ShowCaret(memo.Handle());
    ASSERT_EQ(straight.Width(), shown.Width());
    ASSERT_EQ(straight.Height(), shown.Height());

    int differing = 0, tag = 0, comment = 0, highlight = 0;
    for (int y = 0; y < shown.Height(); ++y) {
        for (int x = 0; x < shown.Width(); ++x) {
            const COLORREF pixel = shown.At(x, y);
            differing += pixel != straight.At(x, y) ? 1 : 0;
            tag += pixel == Ref(kTag) ? 1 : 0;
            comment += pixel == Ref(kComment) ? 1 : 0;
            highlight += pixel == GetSysColor(COLOR_HIGHLIGHT) ? 1 : 0;
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(tag, 0);
    EXPECT_GT(comment, 0);
    EXPECT_GT(highlight, 0);
}

}  // namespace
}  // namespace qmtest
