// TMemoCanvas: the editor control's own drawing surface (its DrawCanvas):
// font, font colour, brush colour, underline, opaque text output and text
// widths (UTF-16 text, the wide GDI functions), bound to the control's window.
//
// A canvas draws only during a pass (TCanvasPass): inside the paint cycle on
// the paint's device context (Attach), otherwise on one it gets from the
// window for the pass. A pass saves the device context's state, clips to the
// client area (the EDIT class paints with its parent's clipping) and puts
// everything back when it ends, also when drawing throws.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "editor/ColorTypes.h"
#include "editor/LineWidths.h"
#include "ui/Gdi.h"

namespace qm {

class TMemoCanvas {
public:
    // `window` is the control's handle, read at each pass (the control may
    // make its window again).
    explicit TMemoCanvas(const HWND& window) : window_(window) {}
    TMemoCanvas(const TMemoCanvas&) = delete;
    TMemoCanvas& operator=(const TMemoCanvas&) = delete;

    // The paint cycle's device context, used by the passes until Detach.
    void Attach(HDC dc) { attached_ = dc; }
    void Detach() { attached_ = nullptr; }
    bool Attached() const { return attached_ != nullptr; }

    // The font to draw with (owned by the control); the underlined variant
    // is made from it when first needed.
    void SetFont(HFONT font);

    TColor FontColor = clWindowText;
    TColor BrushColor = clWindow;
    bool Underline = false;

    // The device context of the current pass; null outside a pass.
    HDC Handle() const { return dc_; }
    // What the pass can draw on at all: the client area, or inside the
    // paint cycle the part of it being painted.
    const RECT& ClipBox() const { return clipBox_; }
    // Whether anything drawn in the rectangle would show.
    bool Shows(const RECT& area) const;
    // Draws the text at a client position, in the font colour on an opaque
    // background of the brush colour.
    void WriteText(int x, int y, std::wstring_view text);
    // The same, cut to the rectangle.
    void WriteText(int x, int y, std::wstring_view text, const RECT& clip);
    int TextWidth(std::wstring_view text);
    // Height of the font (tmHeight): the control's line height.
    int TextHeight();
    // Widths of the first 1, 2, ... n characters of the text, into `widths`.
    bool PartialWidths(std::wstring_view text, int* widths);
    // One character of the plain font (a code of the Basic Multilingual
    // Plane, or above it the code point of a surrogate pair): its width as
    // the native control lays it out, which shapes text with Uniscribe
    // (taking a missing glyph from another font), and Native where that is
    // not the width the font itself gives it, or for any pair, which the
    // font's own text output does not draw as one character. Needs a pass.
    TCharMetric MeasureChar(char32_t code);

private:
    friend class TCanvasPass;
    bool BeginPass();
    void EndPass();
    void SelectFont();
    void Write(int x, int y, std::wstring_view text, const RECT* clip);

    const HWND& window_;
    HDC attached_ = nullptr;
    HDC dc_ = nullptr;
    std::optional<WindowDC> own_;
    int savedState_ = 0;
    RECT clipBox_{};
    HFONT font_ = nullptr;
    Font underlined_;
    HFONT selected_ = nullptr;
    std::vector<INT> advances_;
};

// One drawing pass of a canvas (see above). Ok() is false when no device
// context could be had; nothing is drawn then.
class TCanvasPass {
public:
    explicit TCanvasPass(TMemoCanvas& canvas) : canvas_(canvas), ok_(canvas.BeginPass()) {}
    ~TCanvasPass() {
        if (ok_) canvas_.EndPass();
    }
    TCanvasPass(const TCanvasPass&) = delete;
    TCanvasPass& operator=(const TCanvasPass&) = delete;
    bool Ok() const { return ok_; }

private:
    TMemoCanvas& canvas_;
    bool ok_;
};

// Attaches a paint cycle's device context to a canvas for one scope.
class TCanvasAttachment {
public:
    TCanvasAttachment(TMemoCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
    ~TCanvasAttachment() { canvas_.Detach(); }
    TCanvasAttachment(const TCanvasAttachment&) = delete;
    TCanvasAttachment& operator=(const TCanvasAttachment&) = delete;

private:
    TMemoCanvas& canvas_;
};

}  // namespace qm
