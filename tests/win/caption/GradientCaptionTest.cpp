// The gradient caption on a real window under Wine: the hook, the pixels of
// the bar read back from the window, activation, the system caption given
// back, and no GDI objects left behind by thousands of paints.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "TitlePixels.h"
#include "caption/GradientCaption.h"

namespace {

using qm::TGradientCaption;

class CaptionWindow {
public:
    explicit CaptionWindow(DWORD style = WS_OVERLAPPEDWINDOW, int width = 500) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "CaptionTestWindow";
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClassA(&wc);
        window_ = CreateWindowExA(0, "CaptionTestWindow", "Quillmere", style, 40, 40, width, 200, nullptr, nullptr,
                                  wc.hInstance, nullptr);
    }
    ~CaptionWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    HWND Get() const { return window_; }
    void ShowActive() {
        ShowWindow(window_, SW_SHOW);
        SetForegroundWindow(window_);
        SetActiveWindow(window_);
        qmtest::PumpFor(300);
    }

private:
    HWND window_;
};

// A rectangle of a window (window coordinates) as the window DC holds it.
class FrameArea {
public:
    FrameArea(HWND window, const RECT& r) : width_(r.right - r.left), height_(r.bottom - r.top) {
        pixels_.resize(static_cast<size_t>(width_) * height_);
        HDC dc = GetWindowDC(window);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) pixels_[y * width_ + x] = GetPixel(dc, r.left + x, r.top + y);
        ReleaseDC(window, dc);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }
    qmtest::PixelAt At() const {
        return [this](int x, int y) { return pixels_[y * width_ + x]; };
    }

private:
    int width_, height_;
    std::vector<COLORREF> pixels_;
};

void RedrawFrame(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    qmtest::PumpFor(100);
}

COLORREF FramePixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

TEST(GradientCaption, DetachingRestoresTheWindowProcedureExactly) {
    CaptionWindow window;
    const LONG_PTR before = GetWindowLongPtrA(window.Get(), GWLP_WNDPROC);
    {
        TGradientCaption caption(window.Get());
        EXPECT_NE(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC), before);
        EXPECT_TRUE(caption.Attached());
    }
    EXPECT_EQ(GetWindowLongPtrA(window.Get(), GWLP_WNDPROC), before);
}

TEST(GradientCaption, WindowTextIsTheComposedTitle) {
    CaptionWindow window;
    TGradientCaption caption(window.Get());
    qm::ConfigureProgramCaption(caption, "Quillmere");
    EXPECT_EQ(qm::WindowText(window.Get()), "Quillmere");
    caption.AppNameText.SetCaption("Editor");
    EXPECT_EQ(qm::WindowText(window.Get()), "Editor Quillmere");
    EXPECT_EQ(caption.CaptionText.Caption(), "Quillmere");
    SetWindowTextA(window.Get(), "Editor Another");
    EXPECT_EQ(caption.CaptionText.Caption(), "Another");
}

TEST(GradientCaption, NcActivateReturnsTrueAndDecidesTheState) {
    CaptionWindow window;
    TGradientCaption caption(window.Get());
    EXPECT_EQ(SendMessageA(window.Get(), WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_FALSE(caption.QueryActive());
    EXPECT_EQ(SendMessageA(window.Get(), WM_NCACTIVATE, TRUE, 0), TRUE);
    EXPECT_TRUE(caption.QueryActive());
}

TEST(GradientCaption, FontWritesFollowTheFontKind) {
    CaptionWindow window;
    TGradientCaption caption(window.Get());
    qm::TFont font;
    font.Name = "Times New Roman";
    font.Height = -30;
    caption.AppNameText.SetFontKind(qm::TFontKind::fkSystemB);
    EXPECT_TRUE(caption.AppNameText.Font().Bold);
    caption.AppNameText.SetFont(font);
    EXPECT_EQ(caption.AppNameText.FontKind(), qm::TFontKind::fkCustom);
    EXPECT_EQ(caption.AppNameText.Font().Height, -30);
    caption.CompanyText.SetFontKind(qm::TFontKind::fkAutoHeight);
    caption.CompanyText.SetFont(font);
    EXPECT_EQ(caption.CompanyText.FontKind(), qm::TFontKind::fkAutoHeight);
    EXPECT_NE(caption.CompanyText.Font().Height, -30);
    caption.SetNumColors(0);
    EXPECT_EQ(caption.NumColors(), 64);
    caption.SetNumColors(300);
    EXPECT_EQ(caption.NumColors(), 256);
}

TEST(GradientCaption, BarPixelsAreTheBandsFromMaroonToTheCaptionColour) {
    CaptionWindow window;
    auto caption = std::make_unique<TGradientCaption>(window.Get());
    qm::ConfigureProgramCaption(*caption, "Quillmere");
    window.ShowActive();
    RedrawFrame(window.Get());
    ASSERT_TRUE(caption->QueryActive());
    const RECT bar = caption->ComputeCaptionBarRect();
    ASSERT_GT(bar.right - bar.left, 100);
    const COLORREF active = GetSysColor(COLOR_ACTIVECAPTION);
    EXPECT_EQ(FramePixel(window.Get(), bar.left, bar.top), RGB(128, 0, 0));
    EXPECT_EQ(FramePixel(window.Get(), bar.right - 1, bar.top), active);
    // Every pixel of the top row is its band's colour.
    const auto bands = qm::ComputeBands(64, RGB(128, 0, 0), active, {bar.left, bar.top, bar.right, bar.bottom});
    int checked = 0;
    for (const auto& band : bands) {
        for (int x = band.x0; x < band.x1; ++x, ++checked)
            ASSERT_EQ(FramePixel(window.Get(), x, bar.top), band.color) << "x " << x;
    }
    EXPECT_EQ(checked, bar.right - bar.left);
    EXPECT_EQ(qm::WindowText(window.Get()), "Quillmere");

    SendMessageA(window.Get(), WM_NCACTIVATE, FALSE, 0);
    qmtest::PumpFor(100);
    EXPECT_EQ(FramePixel(window.Get(), bar.right - 1, bar.top), GetSysColor(COLOR_INACTIVECAPTION));
    EXPECT_EQ(FramePixel(window.Get(), bar.left, bar.top), RGB(128, 0, 0));

    // Without the component the system paints its own caption again.
    caption.reset();
    qmtest::PumpFor(200);
    RedrawFrame(window.Get());
    EXPECT_NE(FramePixel(window.Get(), bar.left, bar.top), RGB(128, 0, 0));
}

// Wine counts no GUI resources, but its GDI handle table hands freed slots
// out again: slots freed before the paints come back after them unless the
// paints kept objects alive.
std::set<uintptr_t> ProbeSlots() {
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 200; ++i) brushes.push_back(CreateSolidBrush(RGB(1, 2, 3)));
    std::set<uintptr_t> slots;
    for (HBRUSH brush : brushes) {
        slots.insert(reinterpret_cast<uintptr_t>(brush) & 0xFFFF);
        DeleteObject(brush);
    }
    return slots;
}

TEST(GradientCaption, ThousandsOfPaintsLeaveNoGdiObjects) {
    CaptionWindow window;
    TGradientCaption caption(window.Get());
    qm::ConfigureProgramCaption(caption, "Quillmere");
    window.ShowActive();
    // Warm up: the parts' fonts are made at the first paint.
    RedrawFrame(window.Get());
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const std::set<uintptr_t> slotsBefore = ProbeSlots();
    for (int i = 0; i < 3000; ++i) {
        SendMessageA(window.Get(), WM_NCACTIVATE, i % 2, 0);
        SendMessageA(window.Get(), WM_NCPAINT, 1, 0);
    }
    EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
    const std::set<uintptr_t> slotsAfter = ProbeSlots();
    std::vector<uintptr_t> common;
    std::set_intersection(slotsBefore.begin(), slotsBefore.end(), slotsAfter.begin(), slotsAfter.end(),
                          std::back_inserter(common));
    EXPECT_GE(common.size(), 190u);
}

}  // namespace

namespace {

// The bar of a main-window-like frame: buttons as glyphs, the icon at the
// left, the title cut before the buttons when the window is narrow.
TEST(GradientCaptionBar, ButtonsIconAndTitleOnTheBar) {
    CaptionWindow window(WS_OVERLAPPEDWINDOW, 220);
    TGradientCaption caption(window.Get());
    qm::ConfigureProgramCaption(caption, "Quillmere with a title far too long for the bar");
    window.ShowActive();
    RedrawFrame(window.Get());
    const RECT c = caption.ComputeCaptionBarRect();
    const RECT t = caption.ComputeTextArea();
    const int s = GetSystemMetrics(SM_CXSMICON);
    // The close button: a cross in the button text colour, symmetric.
    const RECT b{c.right - 2 - s, c.top + 2, c.right - 2, c.bottom - 2};
    const COLORREF glyph = GetSysColor(COLOR_BTNTEXT);
    int inGlyph = 0, mirrored = 0;
    for (int y = b.top; y < b.bottom; ++y)
        for (int x = b.left; x < b.right; ++x)
            if (FramePixel(window.Get(), x, y) == glyph) {
                ++inGlyph;
                mirrored += FramePixel(window.Get(), b.left + b.right - 1 - x, y) == glyph;
            }
    ASSERT_GT(inGlyph, 5);
    EXPECT_GE(mirrored * 10, inGlyph * 8);
    // The maximise and minimise buttons left of it are drawn too (button face).
    EXPECT_EQ(FramePixel(window.Get(), b.left - 2 - s / 2, c.top + 2), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The icon at the left: not the gradient's colour.
    const auto bands = qm::ComputeBands(64, RGB(128, 0, 0), GetSysColor(COLOR_ACTIVECAPTION),
                                        {c.left, c.top, c.right, c.bottom});
    auto bandAt = [&](int x) -> COLORREF {
        for (const auto& band : bands)
            if (x >= band.x0 && x < band.x1) return band.color;
        return COLORREF(0);
    };
    int iconPixels = 0;
    for (int y = t.top + 1; y < t.top + 1 + s; ++y)
        for (int x = t.left + 2; x < t.left + 2 + s; ++x) iconPixels += FramePixel(window.Get(), x, y) != bandAt(x);
    EXPECT_GT(iconPixels, s * s / 4);
    // The title's pixels: some in the text area, none over the buttons.
    const COLORREF text = GetSysColor(COLOR_CAPTIONTEXT);
    int titlePixels = 0, beyond = 0;
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = t.left + s + 2; x < t.right; ++x) titlePixels += FramePixel(window.Get(), x, y) == text;
        for (int x = t.right; x < b.left - 2 * s - 1; ++x) beyond += FramePixel(window.Get(), x, y) == text;
    }
    EXPECT_GT(titlePixels, 20);
    EXPECT_EQ(beyond, 0);
    EXPECT_EQ(qm::WindowText(window.Get()), "Quillmere with a title far too long for the bar");
    // Cut where it meets the text area's end, the title ends in three dots
    // before the buttons. Wine's DrawText measures this face a few pixels
    // short of what it draws and so clips the dots at some widths: look for
    // them over a range of narrow widths.
    int dotted = 0;
    std::string why;
    for (int width = 200; width <= 280; width += 4) {
        SetWindowPos(window.Get(), nullptr, 0, 0, width, 200, SWP_NOMOVE | SWP_NOZORDER);
        RedrawFrame(window.Get());
        const FrameArea shot(window.Get(), caption.ComputeTextArea());
        dotted += qmtest::EndsInEllipsis(qmtest::TitleBlobs(shot.At(), shot.Width(), shot.Height()), &why);
    }
    EXPECT_GE(dotted, 3) << why;
    // Wide enough for all of it, the same title shows whole.
    SetWindowPos(window.Get(), nullptr, 0, 0, 900, 200, SWP_NOMOVE | SWP_NOZORDER);
    RedrawFrame(window.Get());
    const FrameArea wide(window.Get(), caption.ComputeTextArea());
    const std::vector<qmtest::Blob> blobs = qmtest::TitleBlobs(wide.At(), wide.Width(), wide.Height());
    EXPECT_GE(blobs.size(), 30u);
    EXPECT_FALSE(qmtest::EndsInEllipsis(blobs, &why)) << why;
}

// The title is drawn in a serif face: its ink is the title as bold italic
// Liberation Serif draws it (the face the prefix puts in the place of Times
// New Roman), not as a sans face of the same size would.
TEST(GradientCaptionBar, TitleIsInABoldItalicSerifFace) {
    CaptionWindow window(WS_OVERLAPPEDWINDOW, 500);
    TGradientCaption caption(window.Get());
    qm::ConfigureProgramCaption(caption, "Quillmere");
    window.ShowActive();
    RedrawFrame(window.Get());
    const RECT t = caption.ComputeTextArea();
    // The title's part of the text area, after the small icon.
    const int s = GetSystemMetrics(SM_CXSMICON);
    const FrameArea shot(window.Get(), {t.left + s + 4, t.top, t.right, t.bottom});
    const int w = shot.Width(), h = shot.Height();
    auto likeness = [&](const char* face) {
        const std::vector<COLORREF> drawn =
            qmtest::RenderTitle("Quillmere", w, h, face, GetSysColor(COLOR_CAPTIONTEXT));
        return qmtest::InkLikeness(shot.At(), w, h, [&](int x, int y) { return drawn[y * w + x]; }, w, h);
    };
    const double serif = likeness("Liberation Serif");
    const double sans = likeness("Liberation Sans");
    EXPECT_GE(serif, 0.8) << "sans " << sans;
    EXPECT_LT(sans, serif - 0.2) << "serif " << serif;
}

}  // namespace

#include "ScriptedDialogs.h"

namespace {

TEST(GradientCaptionLifecycle, LoadedHooksARecreatedWindow) {
    CaptionWindow first;
    CaptionWindow second;
    const LONG_PTR firstProc = GetWindowLongPtrA(first.Get(), GWLP_WNDPROC);
    const LONG_PTR secondProc = GetWindowLongPtrA(second.Get(), GWLP_WNDPROC);
    TGradientCaption caption(first.Get());
    caption.Loaded(first.Get());
    EXPECT_EQ(caption.FormWindow(), first.Get());
    caption.Loaded(second.Get());
    EXPECT_EQ(caption.FormWindow(), second.Get());
    EXPECT_EQ(GetWindowLongPtrA(first.Get(), GWLP_WNDPROC), firstProc);
    EXPECT_NE(GetWindowLongPtrA(second.Get(), GWLP_WNDPROC), secondProc);
}

TEST(GradientCaptionLifecycle, WindowDestroyedFirstLeavesNothingHooked) {
    auto window = std::make_unique<CaptionWindow>();
    TGradientCaption caption(window->Get());
    window.reset();
    EXPECT_FALSE(caption.Attached());
    EXPECT_EQ(caption.FormWindow(), nullptr);
}

TEST(GradientCaptionLifecycle, DesignStateReportsNumColorsCorrections) {
    CaptionWindow window;
    TGradientCaption caption(window.Get());
    qmtest::ScriptedDialogs dialogs;
    caption.SetNumColors(0);  // running program: silent
    EXPECT_TRUE(dialogs.Requests().empty());
    caption.DesignState = true;
    dialogs.Expect(qm::DialogKind::Error, qm::kTooFewColors, qm::DialogAnswer::Ok);
    dialogs.Expect(qm::DialogKind::Error, qm::kTooManyColors, qm::DialogAnswer::Ok);
    caption.SetNumColors(-5);
    caption.SetNumColors(300);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(caption.NumColors(), 256);
}

}  // namespace
