// Reading a caption's title back as ink: clusters of title pixels, whether
// the title ends in an ellipsis, and which face it was drawn in.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qmtest {

// The colour of the picture at (x, y), 0 <= x < w, 0 <= y < h.
using PixelAt = std::function<COLORREF(int, int)>;

int ColorDistance(COLORREF a, COLORREF b);

struct Blob {
    int left, top, right, bottom;  // inclusive
    int Width() const { return right - left + 1; }
    int Height() const { return bottom - top + 1; }
};

// Title pixels: those far from their column's colour in the top row (which a
// vertically centred title never reaches), so a gradient behind is no ink.
std::vector<char> TitleInk(const PixelAt& at, int w, int h, int threshold = 150);

// The 8-connected clusters of title ink, left to right.
std::vector<Blob> TitleBlobs(const PixelAt& at, int w, int h);

// Whether the title ends in an ellipsis: its three rightmost clusters are
// dots (a few pixels each way), on one line in the lower half of the text,
// equally spaced and apart, with letters before them.
bool EndsInEllipsis(const std::vector<Blob>& blobs, std::string* why);

// `title` drawn as the caption draws its text (bold italic, 16 pixels,
// in `color` on maroon, DT_END_ELLIPSIS, vertically centred) in `face`,
// into a picture `width` x `height`; row-major.
std::vector<COLORREF> RenderTitle(const std::string& title, int width, int height,
                                  const char* face = "Times New Roman", COLORREF color = RGB(255, 255, 255));

// How alike two pictures' title ink is, cropped each to its ink: the share of
// ink pixels both have, over the ink either has, at the best shift of up to
// two pixels each way; 0 when the crops differ in size by more than two.
// Dark text on maroon counts as ink too.
double InkLikeness(const PixelAt& a, int aw, int ah, const PixelAt& b, int bw, int bh);

}  // namespace qmtest
