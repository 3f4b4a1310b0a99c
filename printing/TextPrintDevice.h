// TextPrintDevice: lays plain text out on printed pages, line by line, over a
// small surface that measures and draws text and starts and ends pages.
// Window-free: the printer side implements TPrintSurface.
//
// Layout, in the surface's device units, from the top-left corner of the
// printable area (no margin):
//  - ordinary text (UTF-16) is printed at the print position; what does not
//    fit between x and the page width is cut after the longest run of whole
//    characters that fits (a surrogate pair is never split), and the rest
//    goes on at the start of the next line;
//  - TAB moves x to the next tab stop (every eight average character widths),
//    beginning a new line when that passes the page width;
//  - LF begins a new line, FF a new page, CR does nothing;
//  - a line is as high as its tallest text plus 2, or the font's height
//    when nothing was printed on it; after a line with text a new page is
//    begun once y lies below the page height minus twice that line height,
//    after an empty line once y lies below the page height.
// A page is started when something is first drawn on it (or when a form feed
// ends it empty), so a document never ends with a blank sheet that only a
// final line break or form feed asked for. Text that would run off the
// bottom of a page (after empty lines near its end) goes to the next page.
#pragma once

#include <string_view>

namespace qm {

class TPrintSurface {
public:
    virtual ~TPrintSurface() = default;

    // Measuring, in device units, in the current font.
    virtual int TextWidth(std::u16string_view text) = 0;
    virtual int TextHeight(std::u16string_view text) = 0;
    virtual int AverageCharWidth() = 0;
    // The height of a line on which nothing is printed.
    virtual int FontHeight() = 0;
    virtual int PageWidth() = 0;
    virtual int PageHeight() = 0;

    // Output. Errors are raised as exceptions.
    virtual void StartPage() = 0;
    virtual void EndPage() = 0;
    virtual void DrawText(int x, int y, std::u16string_view text) = 0;
};

class TextPrintDevice {
public:
    explicit TextPrintDevice(TPrintSurface& surface) : surface_(surface) {}

    // Prints text at the print position; TAB, LF, FF and CR act as above.
    void Write(std::u16string_view text);
    void NewLine();
    void NewPage();
    // Ends the last page; a job with nothing in it still gets one empty page.
    void Finish();

    int X() const { return x_; }
    int Y() const { return y_; }
    // Pages ended so far.
    int PagesEnded() const { return pagesEnded_; }

private:
    void PrintRun(std::u16string_view text);
    // The length of the longest run of whole characters of `text` (all of
    // it, when it fits) no wider than `room`; 0 when not even the first
    // character fits.
    size_t FittingLength(std::u16string_view text, int room);
    void EnsurePage();

    TPrintSurface& surface_;
    int x_ = 0;
    int y_ = 0;
    int tallest_ = 0;  // the tallest text printed on the current line
    bool pageOpen_ = false;
    int pagesEnded_ = 0;
};

}  // namespace qm
