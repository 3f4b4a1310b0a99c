// A font description as the program's windows keep it, and the GDI font made
// from it.
#pragma once

#include <windows.h>

#include <string>

#include "editor/ColorTypes.h"
#include "ui/Gdi.h"

namespace qm {

struct TFont {
    std::string Name = "MS Sans Serif";  // UTF-8
    int Height = -11;  // negative: character height in pixels (8 point at 96 dpi)
    TColor Color = clWindowText;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;

    bool operator==(const TFont&) const = default;
};

// The system's description of the font (the face name cut to what it holds).
LOGFONTW LogFont(const TFont& font);
Font CreateGdiFont(const TFont& font);

// Sizes in points, as the screen shows them: a size sets the height to
// -(points * pixels per inch / 72), and a height reads back as that size.
int ScreenPixelsPerInch();
int FontSize(const TFont& font);
void SetFontSize(TFont& font, int points);

// A colour value as the system draws it (system colours looked up).
COLORREF ToColorRef(TColor color);

}  // namespace qm
