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

COLORREF ToColorRef(TColor color) {
    if (IsSystemColor(color)) return GetSysColor(static_cast<int>(color & 0xFF));
    return static_cast<COLORREF>(color & 0x00FFFFFF);
}

}  // namespace qm
