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
std::vector<COLORREF> ExpectedColours(const std::string& line) {
    std::vector<COLORREF> colours(line.size(), Ref(qm::clBlack));
    bool tag = false, quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (!tag && c == '<') tag = true;
        if (tag) colours[i] = Ref(quoted || c == '"' ? kQuoted : kTag);
        if (tag && c == '"') quoted = !quoted;
        if (tag && !quoted && c == '>') tag = false;
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

    int ScrollPos() {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_POS;
        GetScrollInfo(memo.Handle(), SB_HORZ, &info);
        return info.nPos;
    }
    // Page steps to the right until the view's offset reaches `target` or
    // goes no further.
    int ScrollTo(int target) {
        for (int pos = ScrollPos(); pos < target;) {
            SendMessageA(memo.Handle(), WM_HSCROLL, SB_PAGERIGHT, 0);
            const int now = ScrollPos();
            if (now == pos) break;
            pos = now;
        }
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
        SendMessageA(memo.Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        return RECT{format.left, format.top, std::min<LONG>(format.right, kWidth), format.top + LineHeight(memo)};
    }

    // The line drawn in the editor's font and the colours of its characters,
    // its start `offset` pixels left of the band's left edge; the band's
    // pixels, row by row.
    std::vector<COLORREF> Drawn(const std::string& line, int offset, const RECT& band) {
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
                                        reinterpret_cast<HFONT>(SendMessageA(memo.Handle(), WM_GETFONT, 0, 0)));
        const RECT all{0, 0, width, height};
        SetBkColor(dc.Get(), RGB(255, 255, 255));
        ExtTextOutA(dc.Get(), 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
        SetBkMode(dc.Get(), TRANSPARENT);

        std::vector<INT> ends(line.size());
        SIZE size{};
        GetTextExtentExPointA(dc.Get(), line.data(), static_cast<int>(line.size()), 0, nullptr, ends.data(), &size);
        const std::vector<COLORREF> colours = ExpectedColours(line);
        for (size_t i = 0; i < line.size(); ++i) {
            const int left = (i ? ends[i - 1] : 0) - offset, right = ends[i] - offset;
            if (right <= 0 || left >= width) continue;
            SetTextColor(dc.Get(), colours[i]);
            ExtTextOutA(dc.Get(), left, 0, 0, nullptr, &line[i], 1, nullptr);
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
    void Check(const std::string& line, bool nativeLaysItOut) {
        memo.SetText(line + "\r\nnext line\r\n");
        const RECT band = Band();
        qm::WindowDC screen(memo.Handle());
        qm::SelectedObject font(screen.Get(), reinterpret_cast<HFONT>(SendMessageA(memo.Handle(), WM_GETFONT, 0, 0)));
        auto width = [&](size_t characters) {
            SIZE size{};
            GetTextExtentPoint32A(screen.Get(), line.data(), static_cast<int>(characters), &size);
            return static_cast<int>(size.cx);
        };
        ASSERT_GT(width(line.size()), 65536 + kWidth);
        ASSERT_EQ(CharPos(memo.Handle(), 0).x, band.left);

        const size_t middle = line.find('<', line.size() / 2), last = line.rfind('<');
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
    std::string line;
    while (line.size() < 9000) line += "<" + std::string(40, 'w') + ">" + std::string(260, 'm');
    Check(line, true);
}

TEST_F(ColorMemoLongLineTest, MinifiedTableRow) {
    std::string line;
    for (int n = 0; line.size() < 12000; ++n) {
        line += "<td class=\"c" + std::to_string(n % 13) + "\">" + std::to_string(1000 + n) + "</td>";
    }
    Check(line, false);
}

}  // namespace
}  // namespace qmtest
