// The tab strip: a native tab control showing a TTabSet. Left clicks select
// through the set's rules (OnChange, then the index, then OnClick); a right
// click reports OnContextMenu and leaves the current tab alone.
#pragma once

#include <windows.h>

#include <functional>

#include "ui/TabSet.h"

namespace qm {

class TTabStrip {
public:
    TTabStrip() = default;
    TTabStrip(const TTabStrip&) = delete;
    TTabStrip& operator=(const TTabStrip&) = delete;

    void Create(HWND parent, int id, int x, int y, int width, int height, HFONT font);
    HWND Handle() const { return handle_; }
    TTabSet& Tabs() { return tabs_; }
    const TTabSet& Tabs() const { return tabs_; }

    std::function<void(POINT screenPoint)> OnContextMenu;
    // Whether a tab shows " *" after its name (a document not saved); the
    // names of the set stay as they are.
    std::function<bool(int index)> Marked;
    // Shows the names and marks again.
    void Refresh() { Mirror(); }

    // The parent hands its WM_NOTIFY messages from this control here.
    // Returns true when the notification was handled, with its result.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

private:
    void Mirror();
    HWND handle_ = nullptr;
    TTabSet tabs_;
};

}  // namespace qm
