#include "ui/Font.h"

#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

LOGFONTW LogFont(const TFont& font) {
    LOGFONTW log{};
    log.lfHeight = font.Height;
    log.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    log.lfItalic = font.Italic;
    log.lfUnderline = font.Underline;
    log.lfStrikeOut = font.StrikeOut;
    log.lfCharSet = DEFAULT_CHARSET;
    log.lfOutPrecision = OUT_DEFAULT_PRECIS;
    log.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    log.lfQuality = DEFAULT_QUALITY;
    log.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    Widen(font.Name).copy(log.lfFaceName, LF_FACESIZE - 1);
    return log;
}

Font CreateGdiFont(const TFont& font) {
    const LOGFONTW log = LogFont(font);
    HFONT handle = CreateFontIndirectW(&log);
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
