#include "editor/PaintBuffer.h"

#include <algorithm>

namespace qm {

TPaintBuffer& TPaintBuffer::Shared() {
    static TPaintBuffer buffer;
    return buffer;
}

TPaintBuffer::~TPaintBuffer() { Free(); }

void TPaintBuffer::Free() {
    if (dc_ && original_) SelectObject(dc_.Get(), original_);
    original_ = nullptr;
    bitmap_.Reset();
    dc_.Reset();
    width_ = height_ = bitsPerPixel_ = 0;
}

HDC TPaintBuffer::Take(HDC screen, int width, int height) {
    if (inUse_ || width <= 0 || height <= 0) return nullptr;
    const int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
    if (dc_ && (width > width_ || height > height_ || bits != bitsPerPixel_)) Free();
    if (!dc_) {
        MemoryDC dc(screen);
        if (!dc) return nullptr;
        // Some room to spare, so that a window growing by a few pixels at a
        // time does not make a new picture at every step.
        const int w = std::max(width, 64) + 64, h = std::max(height, 64) + 64;
        Bitmap bitmap(CreateCompatibleBitmap(screen, w, h));
        if (!bitmap) return nullptr;
        const HGDIOBJ original = SelectObject(dc.Get(), bitmap.Get());
        if (!original || original == HGDI_ERROR) return nullptr;
        dc_ = std::move(dc);
        bitmap_ = std::move(bitmap);
        original_ = original;
        width_ = w;
        height_ = h;
        bitsPerPixel_ = bits;
    }
    inUse_ = true;
    return dc_.Get();
}

TPaintBuffer::Lease::Lease(TPaintBuffer& buffer, HDC screen, int width, int height) : buffer_(buffer) {
    HDC dc = buffer.Take(screen, width, height);
    if (!dc) return;
    saved_ = SaveDC(dc);
    if (saved_ == 0) {
        buffer.inUse_ = false;
        return;
    }
    dc_ = dc;
}

TPaintBuffer::Lease::~Lease() {
    if (!dc_) return;
    RestoreDC(dc_, saved_);
    buffer_.inUse_ = false;
}

}  // namespace qm
