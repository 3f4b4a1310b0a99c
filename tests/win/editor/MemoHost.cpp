#include "MemoHost.h"

#include <stdexcept>

#include "TestSupport.h"
#include "app/HtmlColorRules.h"
#include "ui/Font.h"
#include "ui/Gdi.h"

namespace qmtest {

// The main window's rules, in colours that are easy to tell apart on screen.
void AddEditorRules(qm::TDrawRules& rules, int tagKeyMaxHeight) {
    qm::AddHtmlColorRules(rules);
    const int first = rules.Count() - 3;
    rules.Items(first).KeyMaxHeight = tagKeyMaxHeight;
    rules.Items(first).DefKeyColor = kTag;
    rules.Items(first + 1).DefKeyColor = kQuoted;
    rules.Items(first + 2).DefKeyColor = kComment;
}

MemoHost::MemoHost(int clientWidth, int clientHeight) {
    CreateWindowOfClass("QuillmereMemoHost", "Editor test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 0, 40,
                        40, nullptr, nullptr);
    RECT frame{0, 0, clientWidth + 40, clientHeight + 40};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    qm::TColorMemo& memo = AddMemo(0, 0, clientWidth, clientHeight);
    SetClientSize(memo, clientWidth, clientHeight);
    Settle(memo);
}

MemoHost::~MemoHost() {
    memos_.clear();
    Destroy();
    PumpMessages();
}

qm::TColorMemo& MemoHost::AddMemo(int left, int top, int width, int height) {
    auto memo = std::make_unique<qm::TColorMemo>(Handle(), 100 + static_cast<int>(memos_.size()));
    memo->SetBounds(left, top, width, height);
    memo->SetColor(qm::clWhite);
    qm::TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -13;
    font.Color = qm::clBlack;
    memo->SetFont(font);
    AddEditorRules(memo->ColorRules());
    memos_.push_back(std::move(memo));
    return *memos_.back();
}

void MemoHost::SetClientSize(qm::TColorMemo& memo, int width, int height) {
    RECT client;
    GetClientRect(memo.Handle(), &client);
    memo.SetBounds(memo.Left(), memo.Top(), width + memo.Width() - client.right, height + memo.Height() - client.bottom);
}

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

COLORREF Ref(qm::TColor color) { return qm::ToColorRef(color); }

POINT CharPos(HWND edit, int offset) {
    const LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(offset), 0);
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

int LineHeight(qm::TColorMemo& memo) {
    qm::WindowDC dc(memo.Handle());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(memo.Handle(), WM_GETFONT, 0, 0));
    qm::SelectedObject selected(dc.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
}

RECT CharsRect(qm::TColorMemo& memo, int from, int to) {
    const POINT first = CharPos(memo.Handle(), from);
    const POINT after = CharPos(memo.Handle(), to + 1);
    return RECT{first.x, first.y, after.x, first.y + LineHeight(memo)};
}

int Find(qm::TColorMemo& memo, const std::string& part, int from) {
    const size_t at = memo.Text().find(part, static_cast<size_t>(from));
    if (at == std::string::npos) throw std::runtime_error("not in the text: " + part);
    return static_cast<int>(at);
}

void Settle(qm::TColorMemo& memo) {
    PumpMessages();
    UpdateWindow(memo.Handle());
    PumpMessages();
}

}  // namespace qmtest
