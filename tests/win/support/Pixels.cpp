#include "Pixels.h"

#include <cstdint>
#include <stdexcept>

#include "ui/Gdi.h"

namespace qmtest {

Pixels::Pixels(HWND window) : Pixels(window, true) {}

Pixels::Pixels(HWND window, bool paintFirst) {
    if (paintFirst) UpdateWindow(window);
    Capture(window, [this](HDC memory, HDC screen) { BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY); });
}

Pixels::Pixels(HWND window, const std::function<void(HDC)>& draw) {
    Capture(window, [&draw](HDC memory, HDC) { draw(memory); });
}

void Pixels::Capture(HWND window, const std::function<void(HDC, HDC)>& fill) {
    RECT client;
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    qm::WindowDC screen(window);
    HDC memory = CreateCompatibleDC(screen.Get());
    if (!memory) throw std::runtime_error("no memory DC");
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    qm::Bitmap bitmap(CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) {
        qm::SelectedObject selected(memory, bitmap.Get());
        fill(memory, screen.Get());
        GdiFlush();
        const auto* first = static_cast<const uint32_t*>(bits);
        bits_.assign(first, first + static_cast<size_t>(width_) * static_cast<size_t>(height_));
    }
    DeleteDC(memory);
    if (bits_.empty()) throw std::runtime_error("cannot read the window's pixels");
}

COLORREF Pixels::At(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    const uint32_t pixel = bits_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
    return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
}

int Pixels::Count(const RECT& area, COLORREF color) const {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) count += At(x, y) == color ? 1 : 0;
    }
    return count;
}

}  // namespace qmtest
