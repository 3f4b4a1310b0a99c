// The Wine prefix the program runs in has the Marlett font, with which frame
// buttons are drawn: without it every caption shows letters, not buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

int CALLBACK NoteFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

// The pixels of a frame button drawn into a 32-bit memory bitmap.
std::vector<COLORREF> DrawButton(UINT state, int size) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT r{0, 0, size, size};
    EXPECT_TRUE(DrawFrameControl(dc, &r, DFC_CAPTION, state));
    std::vector<COLORREF> pixels;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

TEST(PrefixFonts, MarlettIsInstalled) {
    HDC dc = GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(wanted.lfFaceName, "Marlett");
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    EXPECT_TRUE(found);
}

// The close glyph is a cross, the same left to right and top to bottom; the
// letter "r" that stands in for it without Marlett is neither.
TEST(PrefixFonts, CloseButtonIsACross) {
    const int size = 32;
    const std::vector<COLORREF> pixels = DrawButton(DFCS_CAPTIONCLOSE, size);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    int glyph = 0, mirrored = 0, flipped = 0;
    for (int y = 4; y < size - 4; ++y) {
        for (int x = 4; x < size - 4; ++x) {
            if (pixels[y * size + x] != text) continue;
            ++glyph;
            if (pixels[y * size + (size - 1 - x)] == text) ++mirrored;
            if (pixels[(size - 1 - y) * size + x] == text) ++flipped;
        }
    }
    ASSERT_GT(glyph, 10);
    EXPECT_GE(mirrored * 10, glyph * 8);
    EXPECT_GE(flipped * 10, glyph * 8);
}

}  // namespace
