#include "ui/Font.h"

#include "ui/SystemError.h"

namespace qm {

Font CreateGdiFont(const TFont& font) {
    HFONT handle = CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic, font.Underline,
                               font.StrikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                               DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
    if (!handle) ThrowLastError("Cannot create the font " + font.Name);
    return Font(handle);
}

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    if (!screen) return 96;
    const int pixels = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return pixels > 0 ? pixels : 96;
}

int FontSize(const TFont& font) { return -MulDiv(font.Height, 72, ScreenPixelsPerInch()); }

void SetFontSize(TFont& font, int points) { font.Height = -MulDiv(points, ScreenPixelsPerInch(), 72); }

COLORREF ToColorRef(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

}  // namespace qm
