#include "ui/ToolBar.h"

#include <commctrl.h>

#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

TToolBar::~TToolBar() {
    if (images_) ImageList_Destroy(images_);
}

void TToolBar::Create(HWND parent, int id, int glyphsId, const std::vector<TToolButton>& buttons) {
    buttons_ = buttons;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    handle_ = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                              WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                  CCS_TOP,
                              0, 0, 0, 0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                              nullptr);
    if (!handle_) ThrowLastError("Cannot create the tool bar");
    SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(handle_, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);

    images_ = ImageList_LoadImageW(instance, MAKEINTRESOURCEW(glyphsId), 16, 0, RGB(255, 0, 255), IMAGE_BITMAP,
                                   LR_CREATEDIBSECTION);
    if (images_) SendMessageW(handle_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
    SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELPARAM(16, 16));
    SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELPARAM(23, 22));

    std::vector<TBBUTTON> native;
    for (const TToolButton& b : buttons_) {
        TBBUTTON t{};
        if (b.kind == TToolButton::Separator) {
            t.iBitmap = 8;  // a separator's width
            t.fsStyle = BTNS_SEP;
        } else {
            t.iBitmap = b.image;
            t.idCommand = b.command;
            t.fsState = TBSTATE_ENABLED;
            t.fsStyle = static_cast<BYTE>(b.kind == TToolButton::DropDown ? BTNS_WHOLEDROPDOWN : BTNS_BUTTON);
        }
        native.push_back(t);
    }
    SendMessageW(handle_, TB_ADDBUTTONSW, native.size(), reinterpret_cast<LPARAM>(native.data()));
    SendMessageW(handle_, TB_AUTOSIZE, 0, 0);
}

int TToolBar::Height() const {
    RECT r{};
    GetWindowRect(handle_, &r);
    return r.bottom - r.top;
}

void TToolBar::SetEnabled(int command, bool enabled) {
    SendMessageW(handle_, TB_ENABLEBUTTON, command, MAKELPARAM(enabled ? TRUE : FALSE, 0));
}

bool TToolBar::IsEnabled(int command) const {
    return SendMessageW(handle_, TB_ISBUTTONENABLED, command, 0) != 0;
}

const std::string* TToolBar::Hint(int command) const {
    for (const TToolButton& b : buttons_) {
        if (b.kind != TToolButton::Separator && b.command == command) return &b.hint;
    }
    return nullptr;
}

bool TToolBar::HandleNotify(const NMHDR& header, LRESULT& result) {
    if (header.code == TTN_GETDISPINFOW) {
        auto& info = const_cast<NMTTDISPINFOW&>(reinterpret_cast<const NMTTDISPINFOW&>(header));
        if (const std::string* hint = Hint(static_cast<int>(header.idFrom))) {
            shownHint_ = Widen(*hint);
            info.lpszText = shownHint_.data();
            info.hinst = nullptr;
            result = 0;
            return true;
        }
        return false;
    }
    if (header.hwndFrom != handle_) return false;
    if (header.code == NM_CUSTOMDRAW && BottomEdge) {
        const auto& draw = reinterpret_cast<const NMTBCUSTOMDRAW&>(header);
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
            result = CDRF_NOTIFYPOSTPAINT;
            return true;
        }
        if (draw.nmcd.dwDrawStage == CDDS_POSTPAINT) {
            // The bottom line as the top one: shadow over highlight.
            RECT client;
            GetClientRect(handle_, &client);
            RECT edge{client.left, client.bottom - 2, client.right, client.bottom};
            DrawEdge(draw.nmcd.hdc, &edge, EDGE_ETCHED, BF_TOP);
            result = CDRF_DODEFAULT;
            return true;
        }
        return false;
    }
    if (header.code == TBN_DROPDOWN) {
        const auto& drop = reinterpret_cast<const NMTOOLBARW&>(header);
        RECT rect{};
        SendMessageW(handle_, TB_GETRECT, drop.iItem, reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(handle_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        if (OnDropDown) OnDropDown(drop.iItem, rect);
        result = TBDDRET_DEFAULT;
        return true;
    }
    return false;
}

}  // namespace qm
