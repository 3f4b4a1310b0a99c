#include "editor/MemoCanvas.h"

#include <usp10.h>

#include <algorithm>
#include <climits>

#include "ui/Font.h"

namespace qm {

namespace {

int ClampedLength(std::wstring_view text) {
    return static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
}

// The width Uniscribe lays the text out in, as the native control does; -1
// when it cannot.
int ShapedWidth(HDC dc, const wchar_t* text, int length) {
    SCRIPT_STRING_ANALYSIS analysis = nullptr;
    if (FAILED(ScriptStringAnalyse(dc, text, length, length * 3 / 2 + 16, -1, SSA_GLYPHS | SSA_FALLBACK, 0, nullptr,
                                   nullptr, nullptr, nullptr, nullptr, &analysis))) {
        return -1;
    }
    const SIZE* size = ScriptString_pSize(analysis);
    const int width = size ? static_cast<int>(size->cx) : -1;
    ScriptStringFree(&analysis);
    return width;
}

}  // namespace

void TMemoCanvas::SetFont(HFONT font) {
    font_ = font;
    const bool wasUnderline = Underline;
    Underline = false;
    if (dc_) SelectFont();  // the underlined font must not stay selected when it goes
    Underline = wasUnderline;
    underlined_.Reset();
}

bool TMemoCanvas::BeginPass() {
    if (dc_) return false;  // passes do not nest
    HDC dc = attached_;
    if (!dc) {
        own_.emplace(window_);
        if (!*own_) {
            own_.reset();
            return false;
        }
        dc = own_->Get();
    }
    savedState_ = SaveDC(dc);
    if (savedState_ == 0) {
        own_.reset();
        return false;
    }
    dc_ = dc;
    RECT client;
    if (GetClientRect(window_, &client)) IntersectClipRect(dc_, client.left, client.top, client.right, client.bottom);
    // The native control shows text only between its margins: a glyph cut
    // at either side must not be drawn on into them.
    RECT format{};
    SendMessageW(window_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    if (format.right > format.left) IntersectClipRect(dc_, format.left, client.top, format.right, client.bottom);
    // Outside the paint cycle, what the window is about to paint again is
    // left to that paint: the native text there may be out of date (after
    // a typed character it has not moved yet), and the paint colours it.
    if (!attached_) ExcludeUpdateRgn(dc_, window_);
    if (GetClipBox(dc_, &clipBox_) == ERROR) clipBox_ = client;
    SetBkMode(dc_, OPAQUE);
    selected_ = nullptr;
    SelectFont();
    return true;
}

void TMemoCanvas::EndPass() {
    RestoreDC(dc_, savedState_);
    dc_ = nullptr;
    selected_ = nullptr;
    savedState_ = 0;
    own_.reset();
}

void TMemoCanvas::SelectFont() {
    HFONT wanted = font_;
    if (Underline && font_) {
        if (!underlined_) {
            LOGFONTW description{};
            if (GetObjectW(font_, sizeof description, &description) == sizeof description) {
                description.lfUnderline = TRUE;
                underlined_.Reset(CreateFontIndirectW(&description));
            }
        }
        if (underlined_) wanted = underlined_.Get();
    }
    if (wanted && wanted != selected_ && SelectObject(dc_, wanted) != nullptr) selected_ = wanted;
}

void TMemoCanvas::WriteText(int x, int y, std::wstring_view text) { Write(x, y, text, nullptr); }

void TMemoCanvas::WriteText(int x, int y, std::wstring_view text, const RECT& clip) {
    if (clip.right > clip.left) Write(x, y, text, &clip);
}

// Each character is placed by the font's advance widths, as the native
// control places them (Wine's TextOut does not, with some bitmap fonts).
void TMemoCanvas::Write(int x, int y, std::wstring_view text, const RECT* clip) {
    if (!dc_ || text.empty()) return;
    SelectFont();
    SetTextColor(dc_, ToColorRef(FontColor));
    SetBkColor(dc_, ToColorRef(BrushColor));
    const int length = ClampedLength(text);
    advances_.resize(static_cast<size_t>(length));
    SIZE size{};
    const INT* advances = nullptr;
    if (GetTextExtentExPointW(dc_, text.data(), length, 0, nullptr, advances_.data(), &size)) {
        for (int i = length - 1; i > 0; --i) advances_[static_cast<size_t>(i)] -= advances_[static_cast<size_t>(i) - 1];
        advances = advances_.data();
    }
    ExtTextOutW(dc_, x, y, clip ? ETO_CLIPPED : 0, clip, text.data(), static_cast<UINT>(length), advances);
}

bool TMemoCanvas::Shows(const RECT& area) const { return dc_ && RectVisible(dc_, &area); }

int TMemoCanvas::TextWidth(std::wstring_view text) {
    if (!dc_ || text.empty()) return 0;
    SelectFont();
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, text.data(), ClampedLength(text), &size)) return 0;
    return size.cx;
}

int TMemoCanvas::TextHeight() {
    if (!dc_) return 0;
    SelectFont();
    TEXTMETRICW metrics{};
    if (!GetTextMetricsW(dc_, &metrics)) return 0;
    return metrics.tmHeight;
}

bool TMemoCanvas::PartialWidths(std::wstring_view text, int* widths) {
    if (!dc_) return false;
    if (text.empty()) return true;
    SelectFont();
    SIZE size{};
    return GetTextExtentExPointW(dc_, text.data(), ClampedLength(text), 0, nullptr, widths, &size) != FALSE;
}

TCharMetric TMemoCanvas::MeasureChar(char32_t code) {
    if (!dc_) return TCharMetric{-1, TCharKind::Shaped};
    const bool pair = code > 0xFFFF;
    wchar_t units[2];
    int count = 1;
    if (pair) {
        units[0] = static_cast<wchar_t>(0xD800 + ((code - 0x10000) >> 10));
        units[1] = static_cast<wchar_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        count = 2;
    } else {
        units[0] = static_cast<wchar_t>(code);
    }
    const bool underline = Underline;
    Underline = false;
    SelectFont();
    SIZE size{};
    const bool measured = GetTextExtentPoint32W(dc_, units, count, &size) != FALSE;
    // The Latin-1 characters are the font's own, as wide as it says.
    const int shaped = pair || code >= 0x100 ? ShapedWidth(dc_, units, count) : -1;
    Underline = underline;
    if (!measured) return TCharMetric{-1, TCharKind::Shaped};
    const int font = static_cast<int>(size.cx);
    if (shaped < 0) return TCharMetric{font, pair ? TCharKind::Native : TCharKind::Plain};
    return TCharMetric{shaped, pair || shaped != font ? TCharKind::Native : TCharKind::Plain};
}

}  // namespace qm
