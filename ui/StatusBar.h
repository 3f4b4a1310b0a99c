// The status bar along the bottom edge with its panels. Texts are UTF-8.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm {

class TStatusBar {
public:
    // `height` is the bar's whole height, its borders included; `font` is
    // the parent's font (not released here). The last panel, or the one
    // whose width is kRestOfBar, takes what the others leave of the bar.
    static constexpr int kRestOfBar = -1;
    void Create(HWND parent, int id, int height, std::vector<int> panelWidths, HFONT font);
    HWND Handle() const { return handle_; }
    int Height() const;

    void SetPanelWidth(int panel, int width);
    void SetPanelText(int panel, const std::string& text);
    const std::string& PanelText(int panel) const { return texts_.at(static_cast<size_t>(panel)); }
    // Keeps the bar along the bottom after the parent's size changed.
    void Resized();

private:
    void ApplyParts();
    void PlaceSizeGrip();
    void ShowText(int panel);
    HWND handle_ = nullptr;
    int height_ = 19;
    std::vector<int> widths_;
    std::vector<std::string> texts_;
};

}  // namespace qm
