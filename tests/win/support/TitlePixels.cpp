#include "TitlePixels.h"

#include <algorithm>
#include <cstdlib>

namespace qmtest {

int ColorDistance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

std::vector<char> TitleInk(const PixelAt& at, int w, int h, int threshold) {
    std::vector<char> ink(static_cast<size_t>(w) * h, 0);
    for (int x = 0; x < w; ++x) {
        const COLORREF ground = at(x, 0);
        for (int y = 1; y < h; ++y) ink[y * w + x] = ColorDistance(at(x, y), ground) > threshold;
    }
    return ink;
}

std::vector<Blob> TitleBlobs(const PixelAt& at, int w, int h) {
    std::vector<char> ink = TitleInk(at, w, h);
    std::vector<Blob> blobs;
    std::vector<int> stack;
    for (int start = 0; start < w * h; ++start) {
        if (ink[start] != 1) continue;
        Blob blob{start % w, start / w, start % w, start / w};
        stack.assign(1, start);
        ink[start] = 2;
        while (!stack.empty()) {
            const int i = stack.back();
            stack.pop_back();
            const int x = i % w, y = i / w;
            blob.left = std::min(blob.left, x), blob.right = std::max(blob.right, x);
            blob.top = std::min(blob.top, y), blob.bottom = std::max(blob.bottom, y);
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h || ink[ny * w + nx] != 1) continue;
                    ink[ny * w + nx] = 2;
                    stack.push_back(ny * w + nx);
                }
        }
        blobs.push_back(blob);
    }
    std::sort(blobs.begin(), blobs.end(), [](const Blob& a, const Blob& c) { return a.left < c.left; });
    return blobs;
}

bool EndsInEllipsis(const std::vector<Blob>& blobs, std::string* why) {
    if (blobs.size() < 4) {
        *why = std::to_string(blobs.size()) + " clusters";
        return false;
    }
    int top = blobs[0].top, bottom = blobs[0].bottom;
    for (const Blob& blob : blobs) top = std::min(top, blob.top), bottom = std::max(bottom, blob.bottom);
    const Blob* dots = &blobs[blobs.size() - 3];
    why->clear();
    for (int i = 0; i < 3; ++i) {
        const Blob& d = dots[i];
        *why += "[" + std::to_string(d.left) + "," + std::to_string(d.top) + " " + std::to_string(d.Width()) + "x" +
                std::to_string(d.Height()) + "]";
        if (d.Width() > 5 || d.Height() > 5) return false;
        if ((d.top + d.bottom) < top + bottom) return false;  // not in the lower half
        if (std::abs(d.top - dots[0].top) > 1 || std::abs(d.bottom - dots[0].bottom) > 1) return false;
        if (i > 0 && d.left <= dots[i - 1].right + 1) return false;  // not apart
    }
    const int gap1 = dots[1].left - dots[0].left, gap2 = dots[2].left - dots[1].left;
    return std::abs(gap1 - gap2) <= 1 && bottom - top >= 8;
}

std::vector<COLORREF> RenderTitle(const std::string& title, int width, int height, const char* face,
                                  COLORREF color) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HBRUSH maroon = CreateSolidBrush(RGB(128, 0, 0));
    RECT r{0, 0, width, height};
    FillRect(memory, &r, maroon);
    HFONT font = CreateFontA(-16, 0, 0, 0, FW_BOLD, TRUE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, face);
    HGDIOBJ oldFont = SelectObject(memory, font);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, color);
    DrawTextA(memory, title.c_str(), static_cast<int>(title.size()), &r, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels[y * width + x] = GetPixel(memory, x, y);
    SelectObject(memory, oldFont);
    DeleteObject(font);
    DeleteObject(maroon);
    SelectObject(memory, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

namespace {

// A picture's ink cropped to the ink's bounding box.
struct InkCrop {
    int w = 0, h = 0;
    std::vector<char> ink;
    bool At(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && ink[y * w + x]; }
};

InkCrop CropInk(const PixelAt& at, int w, int h) {
    const std::vector<char> ink = TitleInk(at, w, h, 90);
    int left = w, top = h, right = -1, bottom = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (ink[y * w + x]) left = std::min(left, x), right = std::max(right, x), top = std::min(top, y),
                                bottom = std::max(bottom, y);
    InkCrop crop;
    if (right < 0) return crop;
    crop.w = right - left + 1, crop.h = bottom - top + 1;
    crop.ink.resize(static_cast<size_t>(crop.w) * crop.h);
    for (int y = 0; y < crop.h; ++y)
        for (int x = 0; x < crop.w; ++x) crop.ink[y * crop.w + x] = ink[(top + y) * w + left + x];
    return crop;
}

}  // namespace

double InkLikeness(const PixelAt& a, int aw, int ah, const PixelAt& b, int bw, int bh) {
    const InkCrop ca = CropInk(a, aw, ah), cb = CropInk(b, bw, bh);
    if (ca.ink.empty() || cb.ink.empty() || std::abs(ca.w - cb.w) > 2 || std::abs(ca.h - cb.h) > 2) return 0;
    double best = 0;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            int both = 0, either = 0;
            for (int y = -2; y < std::max(ca.h, cb.h) + 2; ++y)
                for (int x = -2; x < std::max(ca.w, cb.w) + 2; ++x) {
                    const bool pa = ca.At(x, y), pb = cb.At(x + dx, y + dy);
                    both += pa && pb, either += pa || pb;
                }
            if (either) best = std::max(best, static_cast<double>(both) / either);
        }
    return best;
}

}  // namespace qmtest
