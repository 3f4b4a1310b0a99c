// The real quillmere.exe's caption bar read back from the screen, from
// another process: the buttons drawn as glyphs, the title whole (no
// ellipsis) at a wide and at the narrowest width, the window text unchanged;
// and the ellipsis detector shown to find the dots where a title is cut.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TestSupport.h"
#include "TitlePixels.h"

namespace {

using qmtest::RunningProgram;
using qmtest::WaitUntil;
using qmtest::Blob;
using qmtest::EndsInEllipsis;
using qmtest::RenderTitle;
using qmtest::TitleBlobs;

constexpr DWORD kStartTimeoutMs = 20000;

// A rectangle of the screen, as the X display shows it.
class ScreenShot {
public:
    explicit ScreenShot(const RECT& r)
        : left_(r.left), top_(r.top), width_(r.right - r.left), height_(r.bottom - r.top) {
        pixels_.assign(static_cast<size_t>(width_) * height_, 0);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width_;
        info.bmiHeader.biHeight = -height_;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width_, height_, screen, left_, top_, SRCCOPY);
        GdiFlush();
        const auto* p = static_cast<const DWORD*>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i)
            pixels_[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    // The pixel at screen point (x, y).
    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y - top_) * width_ + (x - left_)]; }

private:
    int left_, top_, width_, height_;
    std::vector<COLORREF> pixels_;
};

// The bar's places in screen coordinates, worked out as the system metrics
// lay out a sizeable frame with the system menu, minimise and maximise.
struct Bar {
    RECT bar;     // the whole caption bar
    RECT text;    // where the title may be drawn: after the icon, before the buttons
    RECT close;   // the close button
    RECT maximise, minimise;
};

Bar BarOf(HWND window) {
    RECT w;
    GetWindowRect(window, &w);
    const int s = GetSystemMetrics(SM_CXSMICON);
    const int size = GetSystemMetrics(SM_CXSIZE);
    Bar b;
    b.bar = {w.left + GetSystemMetrics(SM_CXFRAME), w.top + GetSystemMetrics(SM_CYFRAME),
             w.right - GetSystemMetrics(SM_CXFRAME), 0};
    b.bar.bottom = b.bar.top + GetSystemMetrics(SM_CYCAPTION) - 1;
    b.text = {b.bar.left + s + 3, b.bar.top, b.bar.right - (size + 2) - 2 * size, b.bar.bottom};
    b.close = {b.bar.right - 2 - s, b.bar.top + 2, b.bar.right - 2, b.bar.bottom - 2};
    b.maximise = b.close;
    OffsetRect(&b.maximise, -(s + 2), 0);
    b.minimise = b.maximise;
    OffsetRect(&b.minimise, -s, 0);
    return b;
}

// A button's glyph: the pixels clearly darker than the button face (the
// small glyphs are smoothed, their thin lines grey rather than black).
struct Glyph {
    int count = 0, mirrored = 0, flipped = 0, upper = 0;
};

Glyph GlyphOf(const ScreenShot& shot, const RECT& b) {
    auto sum = [](COLORREF p) { return GetRValue(p) + GetGValue(p) + GetBValue(p); };
    const int face = sum(GetSysColor(COLOR_BTNFACE));
    auto inGlyph = [&](int x, int y) { return sum(shot.At(x, y)) < face - 90; };
    // Inside the button's bevel; mirrored about the glyph's own middle (a
    // glyph may sit a pixel off the button's centre).
    RECT box{b.right, b.bottom, b.left, b.top};
    for (int y = b.top + 2; y < b.bottom - 2; ++y)
        for (int x = b.left + 2; x < b.right - 2; ++x)
            if (inGlyph(x, y)) {
                box.left = std::min<LONG>(box.left, x), box.right = std::max<LONG>(box.right, x + 1);
                box.top = std::min<LONG>(box.top, y), box.bottom = std::max<LONG>(box.bottom, y + 1);
            }
    Glyph g;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            if (!inGlyph(x, y)) continue;
            ++g.count;
            g.mirrored += inGlyph(box.left + box.right - 1 - x, y);
            g.flipped += inGlyph(x, box.top + box.bottom - 1 - y);
            g.upper += y < (b.top + b.bottom) / 2;
        }
    return g;
}

// The ellipsis detector can fail: the title cut short in the test's own
// drawing ends in three dots, the whole title does not.
TEST(CaptionEllipsisDetector, FindsTheDotsOnlyWhereTheTitleIsCut) {
    const int h = GetSystemMetrics(SM_CYCAPTION) - 1;
    for (int width : {40, 50, 60}) {
        const auto cut = RenderTitle("Quillmere", width, h);
        std::string why;
        EXPECT_TRUE(EndsInEllipsis(TitleBlobs([&](int x, int y) { return cut[y * width + x]; }, width, h), &why))
            << width << ": " << why;
    }
    const auto whole = RenderTitle("Quillmere", 160, h);
    std::string why;
    const auto blobs = TitleBlobs([&](int x, int y) { return whole[y * 160 + x]; }, 160, h);
    EXPECT_GE(blobs.size(), 5u);
    EXPECT_FALSE(EndsInEllipsis(blobs, &why)) << why;
}

class CaptionE2E : public ::testing::Test {
protected:
    void Start() {
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH),
                                                    std::vector<std::string>{}, dir_.Path());
        WaitUntil(
            [&] {
                main_ = program_->FindWindowByCaption("Quillmere");
                if (main_ && !qmtest::FindChild(main_, WC_TABCONTROLA)) main_ = nullptr;
                return main_ || !program_->Running();
            },
            kStartTimeoutMs);
        ASSERT_NE(main_, nullptr) << "no main window titled Quillmere";
        SetWindowPos(main_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(main_);
        qmtest::PumpFor(500);
    }
    void Resize(int width) {
        RECT w;
        GetWindowRect(main_, &w);
        SetWindowPos(main_, nullptr, 0, 0, width, w.bottom - w.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        qmtest::PumpFor(700);
    }
    static std::function<COLORREF(int, int)> AtText(const ScreenShot& shot, const Bar& bar) {
        return [&shot, bar](int x, int y) { return shot.At(bar.text.left + x, bar.bar.top + y); };
    }

    qmtest::TempDir dir_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

TEST_F(CaptionE2E, ButtonGlyphsAndTheWholeTitleAtEveryWidth) {
    ASSERT_NO_FATAL_FAILURE(Start());
    if (IsZoomed(main_)) ShowWindow(main_, SW_RESTORE);
    Resize(600);
    EXPECT_EQ(qmtest::TextOf(main_), "Quillmere");
    Bar bar = BarOf(main_);
    {
        ScreenShot shot(bar.bar);
        // The close button is a cross: the same left to right and top to
        // bottom (the letter "r" that stands in without Marlett is neither).
        const Glyph close = GlyphOf(shot, bar.close);
        ASSERT_GT(close.count, 5);
        EXPECT_GE(close.mirrored * 10, close.count * 8);
        EXPECT_GE(close.flipped * 10, close.count * 8);
        // Maximise is a box, minimise a bar at the bottom: both the same left
        // to right (the letters "1" and "0" are not a bar at the bottom).
        const Glyph maximise = GlyphOf(shot, bar.maximise);
        ASSERT_GT(maximise.count, 5);
        EXPECT_GE(maximise.mirrored * 10, maximise.count * 8);
        EXPECT_GT(maximise.upper, 0);
        const Glyph minimise = GlyphOf(shot, bar.minimise);
        ASSERT_GT(minimise.count, 1);
        EXPECT_GE(minimise.mirrored * 10, minimise.count * 8);
        EXPECT_EQ(minimise.upper, 0);
        // The whole title, no ellipsis.
        const std::vector<Blob> blobs =
            TitleBlobs(AtText(shot, bar), bar.text.right - bar.text.left, bar.bar.bottom - bar.bar.top);
        std::string why;
        EXPECT_GE(blobs.size(), 5u);
        EXPECT_FALSE(EndsInEllipsis(blobs, &why)) << why;
        // In a bold italic serif face: the ink is "Quillmere" as Liberation
        // Serif (Times New Roman's stand-in) draws it, not as a sans face does.
        const int w = bar.text.right - bar.text.left, h = bar.bar.bottom - bar.bar.top;
        auto likeness = [&](const char* face) {
            const std::vector<COLORREF> drawn = RenderTitle("Quillmere", w, h, face, GetSysColor(COLOR_CAPTIONTEXT));
            return qmtest::InkLikeness(AtText(shot, bar), w, h, [&](int x, int y) { return drawn[y * w + x]; }, w, h);
        };
        const double serif = likeness("Liberation Serif"), sans = likeness("Liberation Sans");
        EXPECT_GE(serif, 0.8) << "sans " << sans;
        EXPECT_LT(sans, serif - 0.2) << "serif " << serif;
    }
    // Made as narrow as a user can (a 120-pixel request from outside): the
    // program keeps its 250-pixel minimum (the main window's resize rule), and
    // there the bar still has room for all of "Quillmere", so the title
    // shows whole, before the buttons, and the window text is unchanged.
    Resize(120);
    RECT outer;
    GetWindowRect(main_, &outer);
    EXPECT_EQ(outer.right - outer.left, 250);
    bar = BarOf(main_);
    {
        ScreenShot shot(bar.bar);
        const int w = bar.text.right - bar.text.left;
        const std::vector<Blob> blobs = TitleBlobs(AtText(shot, bar), w, bar.bar.bottom - bar.bar.top);
        std::string why;
        EXPECT_GE(blobs.size(), 5u);
        EXPECT_FALSE(EndsInEllipsis(blobs, &why)) << why;
        if (!blobs.empty()) {
            EXPECT_LT(blobs.back().right, w - 3);
        }
    }
    EXPECT_EQ(qmtest::TextOf(main_), "Quillmere");
}

}  // namespace
