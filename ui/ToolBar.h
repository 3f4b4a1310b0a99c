// A flat tool bar along the top edge with 16x16 glyphs on 23x22 buttons,
// separators 8 pixels wide, drop-down buttons, and hints in tool tips. The
// control draws an etched edge line along its top; with BottomEdge one runs
// along its bottom too.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace qm {

struct TToolButton {
    enum Kind { Button, Separator, DropDown };
    Kind kind = Button;
    int command = 0;   // sent to the parent as WM_COMMAND
    int image = -1;    // index into the glyph strip
    std::string hint;  // UTF-8
};

class TToolBar {
public:
    TToolBar() = default;
    ~TToolBar();
    TToolBar(const TToolBar&) = delete;
    TToolBar& operator=(const TToolBar&) = delete;

    // Creates the bar with the glyph strip bitmap `glyphsId` (magenta is
    // transparent) and the buttons in order, left to right.
    void Create(HWND parent, int id, int glyphsId, const std::vector<TToolButton>& buttons);
    // An etched line along the bottom edge (set before the bar paints).
    bool BottomEdge = false;
    HWND Handle() const { return handle_; }
    int Height() const;

    void SetEnabled(int command, bool enabled);
    bool IsEnabled(int command) const;
    const std::string* Hint(int command) const;

    // Called when the arrow of a drop-down button is pressed, with the
    // button's rectangle in screen coordinates.
    std::function<void(int command, RECT screenRect)> OnDropDown;

    // The parent hands its WM_NOTIFY messages here; true when handled.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

private:
    HWND handle_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<TToolButton> buttons_;
    std::wstring shownHint_;  // the tool tip's text while it asks for it
};

}  // namespace qm
