#include "ui/StatusBar.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

void TStatusBar::Create(HWND parent, int id, int height, std::vector<int> panelWidths, HFONT font) {
    height_ = height;
    widths_ = std::move(panelWidths);
    texts_.assign(widths_.size(), std::string());
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP | CCS_NORESIZE | CCS_NOPARENTALIGN;
    handle_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", style, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!handle_) ThrowLastError("Cannot create the status bar");
    if (font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Resized();
}

int TStatusBar::Height() const {
    RECT r{};
    GetWindowRect(handle_, &r);
    return r.bottom - r.top;
}

void TStatusBar::ApplyParts() {
    RECT bar{};
    GetClientRect(handle_, &bar);
    int fixed = 0;
    for (const int width : widths_) fixed += width == kRestOfBar ? 0 : width;
    std::vector<int> rights;
    int x = 0;
    for (size_t i = 0; i < widths_.size(); ++i) {
        x += widths_[i] == kRestOfBar ? std::max(0, static_cast<int>(bar.right) - fixed) : widths_[i];
        rights.push_back(i + 1 == widths_.size() ? -1 : x);
    }
    SendMessageW(handle_, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
    for (size_t i = 0; i < texts_.size(); ++i) ShowText(static_cast<int>(i));
}

void TStatusBar::ShowText(int panel) {
    const std::wstring text = Widen(texts_.at(static_cast<size_t>(panel)));
    SendMessageW(handle_, SB_SETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text.c_str()));
}

void TStatusBar::SetPanelWidth(int panel, int width) {
    widths_.at(static_cast<size_t>(panel)) = width;
    ApplyParts();
}

void TStatusBar::SetPanelText(int panel, const std::string& text) {
    texts_.at(static_cast<size_t>(panel)) = text;
    ShowText(panel);
}

// The control would size itself to its font (20 pixels and more for an
// 8-point font): it is placed here instead, exactly its height high along
// the parent's bottom edge.
void TStatusBar::Resized() {
    RECT parent{};
    GetClientRect(GetParent(handle_), &parent);
    SetWindowPos(handle_, nullptr, 0, parent.bottom - height_, parent.right, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceSizeGrip();
}

// The grip sits in the bar's right end, at the window's corner, and a
// maximised window, which cannot be sized, has none. The control placed
// by its parent does not lay out its panels again when its size changes:
// that is done here, and the grip moves with the last panel's end.
void TStatusBar::PlaceSizeGrip() {
    const LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    const LONG_PTR wanted = IsZoomed(GetParent(handle_)) ? style & ~LONG_PTR{SBARS_SIZEGRIP} : style | SBARS_SIZEGRIP;
    if (wanted != style) {
        SetWindowLongPtrW(handle_, GWL_STYLE, wanted);
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    ApplyParts();
    InvalidateRect(handle_, nullptr, TRUE);
}

}  // namespace qm
