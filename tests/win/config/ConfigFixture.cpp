#include "ConfigFixture.h"

#include <stdexcept>

#include "ui/Gdi.h"

namespace qmtest {

ConfigTest::ConfigTest() {
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    oldCurrentDir_ = current;
    SetCurrentDirectoryA(dir.Path().c_str());
}

ConfigTest::~ConfigTest() {
    options_.reset();
    form_.reset();
    PumpMessages();
    SetCurrentDirectoryA(oldCurrentDir_.c_str());
}

qm::TForm1& ConfigTest::Start(const std::string& firstArgument) {
    form_ = std::make_unique<qm::TForm1>(firstArgument);
    options_ = std::make_unique<qm::TForm3>(*form_);
    form_->SetSecondaryForms(nullptr, nullptr, options_.get());
    form_->Show(SW_SHOWNOACTIVATE);
    PumpMessages();
    return *form_;
}

void ConfigTest::Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

Pixels::Pixels(HWND window) {
    UpdateWindow(window);
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
        BitBlt(memory, 0, 0, width_, height_, screen.Get(), 0, 0, SRCCOPY);
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

namespace {
POINT CharPos(HWND edit, int offset) {
    const LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(offset), 0);
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

int LineHeight(HWND edit) {
    qm::WindowDC dc(edit);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(edit, WM_GETFONT, 0, 0));
    qm::SelectedObject selected(dc.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
}
}  // namespace

RECT TextRect(qm::TColorMemo& memo, const std::string& part) {
    const size_t at = memo.Text().find(part);
    if (at == std::string::npos) throw std::runtime_error("not in the text: " + part);
    const POINT first = CharPos(memo.Handle(), static_cast<int>(at));
    const POINT after = CharPos(memo.Handle(), static_cast<int>(at + part.size()));
    return RECT{first.x, first.y, after.x, first.y + LineHeight(memo.Handle())};
}

int ColourOver(qm::TColorMemo& memo, const std::string& part, qm::TColor color) {
    const Pixels pixels(memo.Handle());
    return pixels.Count(TextRect(memo, part), qm::ToColorRef(color));
}

void Settle(HWND window) {
    PumpMessages();
    UpdateWindow(window);
    PumpMessages();
}

}  // namespace qmtest
