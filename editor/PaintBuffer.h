// An off-screen picture in which the editor control composes a paint: the
// native control's text and the colours over it are drawn there, and the
// result goes to the screen in one copy. Nothing shows half done (no black
// text before its colours), and drawing into memory asks nothing of the
// display for every run.
//
// One buffer serves every editor (they all paint on the one GUI thread, one
// at a time): it is kept between paints and made again only when a control
// needs more room than it has or the screen's format changed.
#pragma once

#include <windows.h>

#include "ui/Gdi.h"

namespace qm {

class TPaintBuffer {
public:
    // The buffer every editor shares.
    static TPaintBuffer& Shared();

    TPaintBuffer() = default;
    ~TPaintBuffer();
    TPaintBuffer(const TPaintBuffer&) = delete;
    TPaintBuffer& operator=(const TPaintBuffer&) = delete;

    // The buffer for one paint of a client area of width x height, whose
    // device context draws as `screen` does; released at the end of the
    // scope. Not Ok() when no buffer could be had (or it is in use): the
    // paint then goes straight to the screen.
    class Lease {
    public:
        Lease(TPaintBuffer& buffer, HDC screen, int width, int height);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        bool Ok() const { return dc_ != nullptr; }
        HDC Dc() const { return dc_; }

    private:
        TPaintBuffer& buffer_;
        HDC dc_ = nullptr;
        int saved_ = 0;
    };

private:
    HDC Take(HDC screen, int width, int height);
    void Free();

    MemoryDC dc_;
    Bitmap bitmap_;
    HGDIOBJ original_ = nullptr;  // the memory device context's own bitmap
    int width_ = 0, height_ = 0;
    int bitsPerPixel_ = 0;
    bool inUse_ = false;
};

}  // namespace qm
