// Reading back what a window shows, for tests where colour is the point.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

namespace qmtest {

// The client area of a window as it is on the screen after it painted.
class Pixels {
public:
    explicit Pixels(HWND window);
    // Without letting the window paint first: what the screen shows now.
    Pixels(HWND window, bool paintFirst);
    // A picture of the window's client area's size, drawn by `draw` into a
    // memory device context instead of read from the screen.
    Pixels(HWND window, const std::function<void(HDC)>& draw);
    COLORREF At(int x, int y) const;
    // Pixels of exactly this colour inside the rectangle.
    int Count(const RECT& area, COLORREF color) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    // The client area's picture as `fill(memory, screen)` leaves it.
    void Capture(HWND window, const std::function<void(HDC, HDC)>& fill);
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> bits_;
};

}  // namespace qmtest
