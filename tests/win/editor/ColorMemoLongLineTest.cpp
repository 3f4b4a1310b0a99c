// Lines far wider than the 16 bits of the native control's position answers
// (and than 65,536 pixels), at their start, in their middle and at their end,
// scrolled there by the scroll bar's page steps: every pixel of the line is
// what the same text drawn in the same font, in the colours of its
// characters, shows. One line the native control lays out itself (few runs
// of letters and signs), one full of short tags, which Wine's control cannot
// lay out and leaves empty.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "MemoHost.h"
#include "TestSupport.h"
#include "ui/Gdi.h"

namespace qmtest {
namespace {

using qm::TColorMemo;

// The colour of each character under the editor's rules, for texts of tags
// and plain words: a tag from "<" to ">", quoted values inside it.
std::vector<COLORREF> ExpectedColours(const std::wstring& line) {
    std::vector<COLORREF> colours(line.size(), Ref(qm::clBlack));
    bool tag = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const wchar_t c = line[i];
        if (!tag && c == L'<') tag = true;
        if (tag) colours[i] = Ref(quoted || c == L'"' ? kQuoted : kTag);
        if (tag && c == L'"') quoted = !quoted;
        if (tag && !quoted && c == L'>') tag = false;
    }
    return colours;
}

class ColorMemoLongLineTest : public ::testing::Test {
protected:
    static constexpr int kWidth = 600, kHeight = 60;
    MemoHost host{kWidth, kHeight};
    TColorMemo& memo = host.Memo();

    void SetUp() override {
        memo.SetScrollBars(qm::TScrollStyle::ssBoth);  // as the documents' editors have
        host.SetClientSize(memo, kWidth, kHeight);
    }

    static int ScrollPos(TColorMemo& editor) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        GetScrollInfo(editor.Handle(), SB_HORZ, &info);
        return info.nPos;
    }
    int ScrollPos() { return ScrollPos(memo); }
    // Page steps to the right until the view's offset reaches `target` or
    // goes no further.
    static void PageTo(TColorMemo& editor, int target) {
        for (int pos = ScrollPos(editor); pos < target;) {
            SendMessageW(editor.Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
            const int now = ScrollPos(editor);
            if (now == pos) break;
            pos = now;
        }
    }
    int ScrollTo(int target) {
        PageTo(memo, target);
        Settle(memo);
        return ScrollPos();
    }
    Pixels Paint(bool rules) {
        qm::TDrawRules kept;
        kept.Assign(memo.ColorRules());
        if (!rules) memo.SetColorRules(qm::TDrawRules());
        InvalidateRect(memo.Handle(), nullptr, TRUE);
        Settle(memo);
        Pixels pixels(memo.Handle());
        memo.SetColorRules(kept);
        return pixels;
    }
    // The first line's band inside the formatting rectangle.
    RECT Band() {
        RECT format{};
        SendMessageW(memo.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return RECT{format.left, format.top, std::min<LONG>(format.right, kWidth), format.top + LineHeight(memo)};
    }

    // The line drawn in the editor's font and the colours of its characters,
    // its start `offset` pixels left of the band's left edge; the band's
    // pixels, row by row.
    std::vector<COLORREF> Drawn(const std::wstring& line, int offset, const RECT& band) {
        const int width = band.right - band.left, height = band.bottom - band.top;
        qm::WindowDC screen(memo.Handle());
        struct MemoryDC {
            HDC dc;
            ~MemoryDC() { DeleteDC(dc); }
            HDC Get() const { return dc; }
        } dc{CreateCompatibleDC(screen.Get())};
        qm::Bitmap bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
        qm::SelectedObject selectedBitmap(dc.Get(), bitmap.Get());
        qm::SelectedObject selectedFont(dc.Get(),
                                        reinterpret_cast<HFONT>(SendMessageW(memo.Handle(), WM_GETFONT, 0, 0)));
        const RECT all{0, 0, width, height};
        SetBkColor(dc.Get(), RGB(255, 255, 255));
        ExtTextOutW(dc.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SetBkMode(dc.Get(), TRANSPARENT);

        std::vector<INT> ends(line.size());
        SIZE size{};
        GetTextExtentExPointW(dc.Get(), line.data(), static_cast<int>(line.size()), 0, nullptr, ends.data(), &size);
        const std::vector<COLORREF> colours = ExpectedColours(line);
        for (size_t i = 0; i < line.size(); ++i) {
            const int left = (i ? ends[i - 1] : 0) - offset, right = ends[i] - offset;
            if (right <= 0 || left >= width) continue;
            SetTextColor(dc.Get(), colours[i]);
            ExtTextOutW(dc.Get(), left, 0, 0, nullptr, &line[i], 1, nullptr);
        }
        std::vector<COLORREF> pixels;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(dc.Get(), x, y));
        }
        return pixels;
    }
    static std::vector<COLORREF> Shown(const Pixels& pixels, const RECT& band) {
        std::vector<COLORREF> shown;
        for (int y = band.top; y < band.bottom; ++y) {
            for (int x = band.left; x < band.right; ++x) shown.push_back(pixels.At(x, y));
        }
        return shown;
    }
    static int Differing(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b, bool inkOnly) {
        const COLORREF white = RGB(255, 255, 255);
        int differing = 0;
        for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
            differing += inkOnly ? (a[i] == white) != (b[i] == white) : a[i] != b[i];
        }
        return differing + static_cast<int>(std::max(a.size(), b.size()) - std::min(a.size(), b.size()));
    }

    // The line with its start in view, then its middle tag and its last tag
    // in the middle of the view.
    void Check(const std::wstring& line, bool nativeLaysItOut) {
        memo.SetText(line + L"\r\nnext line\r\n");
        const RECT band = Band();
        qm::WindowDC screen(memo.Handle());
        qm::SelectedObject font(screen.Get(), reinterpret_cast<HFONT>(SendMessageW(memo.Handle(), WM_GETFONT, 0, 0)));
        auto width = [&](size_t characters) {
            SIZE size{};
            GetTextExtentPoint32W(screen.Get(), line.data(), static_cast<int>(characters), &size);
            return static_cast<int>(size.cx);
        };
        ASSERT_GT(width(line.size()), 65536 + kWidth);
        ASSERT_EQ(CharPos(memo.Handle(), 0).x, band.left);

        const size_t middle = line.find(L'<', line.size() / 2), last = line.rfind(L'<');
        for (const size_t column : {size_t{0}, middle, last}) {
            const int target = std::max(width(column) - kWidth / 2, 0);
            const int offset = ScrollTo(target);
            ASSERT_GE(offset, target) << column;
            const std::vector<COLORREF> drawn = Drawn(line, offset, band);
            const Pixels coloured = Paint(true);
            // Something of every kind shows, and every pixel is the drawn one.
            for (qm::TColor kind : {qm::clBlack, kTag}) {
                EXPECT_GT(std::count(drawn.begin(), drawn.end(), Ref(kind)), 0) << offset;
            }
            EXPECT_EQ(Differing(drawn, Shown(coloured, band), false), 0) << "offset " << offset;
            if (nativeLaysItOut) {
                // The native text has that shape too.
                EXPECT_EQ(Differing(drawn, Shown(Paint(false), band), true), 0) << "offset " << offset;
            }
        }
    }
};

TEST_F(ColorMemoLongLineTest, LineOfLongWordsAndTags) {
    // Few and long stretches of one kind of character, as Wine's control
    // still lays out.
    std::wstring line;
    while (line.size() < 9000) line += L"<" + std::wstring(40, L'w') + L">" + std::wstring(260, L'm');
    Check(line, true);
}

TEST_F(ColorMemoLongLineTest, MinifiedTableRow) {
    std::wstring line;
    for (int n = 0; line.size() < 12000; ++n) {
        line += L"<td class=\"c" + std::to_wstring(n % 13) + L"\">" + std::to_wstring(1000 + n) + L"</td>";
    }
    Check(line, false);
}

// Typing into the middle of a minified line with real keys: quotes and tags
// that change the colours after them, Backspace, Delete, a selection typed
// over, undo. After every step the line, shown at its middle, is what a new
// editor given the same text shows there; plain typing goes into the
// editor's copy of the line instead of copying it again.
TEST_F(ColorMemoLongLineTest, TypingIntoAMinifiedLineShowsWhatANewEditorShows) {
    std::wstring line;
    for (int n = 0; line.size() < 12000; ++n) {
        line += L"<td class=\"c" + std::to_wstring(n % 13) + L"\">" + std::to_wstring(1000 + n) + L"</td>";
    }
    memo.SetText(line);
    // The new editor below the first one, in a window tall enough for both.
    RECT frame{0, 0, kWidth + 40, 2 * kHeight + 80};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(host.Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    TColorMemo& fresh = host.AddMemo(0, kHeight + 30, kWidth, kHeight);
    fresh.SetScrollBars(qm::TScrollStyle::ssBoth);
    host.SetClientSize(fresh, kWidth, kHeight);
    const int at = Find(memo, L"<td", static_cast<int>(line.size() / 3));
    const RECT band = Band();
    // (Wine's control answers the line's start for every character of a
    // line it has not laid out: the middle's x is measured.)
    qm::WindowDC screen(memo.Handle());
    qm::SelectedObject font(screen.Get(), reinterpret_cast<HFONT>(SendMessageW(memo.Handle(), WM_GETFONT, 0, 0)));
    // Where the change is, and far enough to its right that the search
    // there starts after the change.
    auto targetAt = [&](int column) {
        SIZE before{};
        GetTextExtentPoint32W(screen.Get(), line.data(), column, &before);
        return std::max<int>(before.cx - kWidth / 2, 0);
    };

    // Both editors at the same offset, neither focused (no caret, no
    // selection shown); the first one's band against the second one's.
    // (A selection keeps its characters from their colours: undo selects
    // what it brings back.)
    auto compareAt = [&](const char* step, int target) {
        memo.SetSelection(at, 0);
        fresh.SetText(memo.Text());
        // A thumb position as far as its 15 bits go, then page steps.
        for (TColorMemo* editor : {&memo, &fresh}) {
            SendMessageW(editor->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, std::min(target, 32000)), 0);
            PageTo(*editor, target);
            InvalidateRect(editor->Handle(), nullptr, TRUE);
        }
        // The caret hidden, the focus kept: the focus moving away would make
        // the editor copy its text again.
        HideCaret(memo.Handle());
        Settle(memo);
        Settle(fresh);
        const int offset = ScrollPos();
        EXPECT_EQ(ScrollPos(fresh), offset);
        EXPECT_GE(offset, target);
        const Pixels typed(memo.Handle()), made(fresh.Handle());
        ShowCaret(memo.Handle());
        EXPECT_EQ(GetFocus(), memo.Handle());
        const std::vector<COLORREF> shown = Shown(typed, band);
        EXPECT_EQ(Differing(shown, Shown(made, band), false), 0) << step << ", offset " << offset;
        EXPECT_GT(std::count(shown.begin(), shown.end(), Ref(kQuoted)), 0) << step;
    };
    auto compare = [&](const char* step) {
        compareAt(step, targetAt(at));
        compareAt(step, targetAt(at + 5000));
    };
    memo.SetFocus();
    memo.SetSelection(at, 0);
    Settle(memo);
    compare("before typing");

    struct Step {
        const char* name;
        std::vector<WORD> keys;
        bool copiesAgain;
    };
    const std::vector<Step> steps = {
        {"a quote", {VK_SHIFT, VK_OEM_7}, false},       // the quotes after it pair the other way
        {"a letter", {'K'}, false},
        {"Backspace", {VK_BACK}, false},
        {"a tag's start", {VK_SHIFT, VK_OEM_COMMA}, false},
        {"Delete", {VK_DELETE}, false},
        {"undo", {VK_CONTROL, 'Z'}, true},
    };
    for (const Step& step : steps) {
        memo.SetSelection(at + 2, 0);
        Settle(memo);
        const uint64_t copied = memo.Stats().CopiedChars;
        if (step.keys.size() == 1) {
            PressKeys({step.keys[0]});
        } else {
            PressKeys({step.keys[0], step.keys[1]});
        }
        Settle(memo);
        if (!step.copiesAgain) {
            EXPECT_EQ(memo.Stats().CopiedChars, copied) << step.name;
        }
        compare(step.name);
    }
    // A selection typed over.
    memo.SetSelection(at + 1, 6);
    Settle(memo);
    const uint64_t copied = memo.Stats().CopiedChars;
    PressKeys({VK_SHIFT, VK_OEM_7});
    Settle(memo);
    EXPECT_EQ(memo.Stats().CopiedChars, copied);
    compare("a selection typed over");
    EXPECT_NE(memo.Text(), line);
}

}  // namespace
}  // namespace qmtest
