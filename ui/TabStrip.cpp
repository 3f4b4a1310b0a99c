#include "ui/TabStrip.h"

#include <commctrl.h>

#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {

// The screen position of the message being handled.
POINT MessagePoint() {
    const DWORD position = GetMessagePos();
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

}  // namespace

void TTabStrip::Create(HWND parent, int id, int x, int y, int width, int height, HFONT font) {
    handle_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_TABS |
                                                          TCS_SINGLELINE | TCS_FOCUSNEVER,
                              x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
    if (!handle_) ThrowLastError("Cannot create the tab strip");
    if (font) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    tabs_.OnUpdate = [this] { Mirror(); };
    Mirror();
}

// Makes the native control show the set's names and current index.
void TTabStrip::Mirror() {
    if (!handle_) return;
    const int shown = static_cast<int>(SendMessageW(handle_, TCM_GETITEMCOUNT, 0, 0));
    for (int i = shown - 1; i >= tabs_.Count(); --i) SendMessageW(handle_, TCM_DELETEITEM, i, 0);
    for (int i = 0; i < tabs_.Count(); ++i) {
        std::wstring name = Widen(tabs_.Tab(i) + (Marked && Marked(i) ? " *" : ""));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageW(handle_, i < shown ? TCM_SETITEMW : TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(handle_, TCM_SETCURSEL, static_cast<WPARAM>(tabs_.TabIndex()), 0);
    InvalidateRect(handle_, nullptr, TRUE);
}

bool TTabStrip::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != handle_) return false;
    switch (header.code) {
    case TCN_SELCHANGING: {
        // The control does not change its selection by itself: the click goes
        // through the set, whose handlers see the old index first.
        result = TRUE;
        // Where the click happened, not where the mouse is by now.
        TCHITTESTINFO hit{};
        hit.pt = MessagePoint();
        ScreenToClient(handle_, &hit.pt);
        const int index = static_cast<int>(SendMessageW(handle_, TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
        if (index >= 0) tabs_.SetTabIndex(index);
        return true;
    }
    case NM_RCLICK: {
        if (OnContextMenu) OnContextMenu(MessagePoint());
        result = TRUE;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace qm
