// Painting of the caption bar: composed in a bitmap off screen and copied to
// the window in one BitBlt. Every DC, bitmap, brush, font and icon made here
// is released on every path.
#include "caption/GradientCaption.h"

#include "ui/Application.h"
#include "ui/Gdi.h"
#include "ui/WideText.h"

namespace qm {

namespace {

RECT ToRect(const CaptionRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
CaptionRect FromRect(const RECT& r) { return CaptionRect{r.left, r.top, r.right, r.bottom}; }

// An icon copy, destroyed at the end.
class IconCopy {
public:
    explicit IconCopy(HICON icon) : icon_(icon) {}
    ~IconCopy() {
        if (icon_) DestroyIcon(icon_);
    }
    IconCopy(const IconCopy&) = delete;
    IconCopy& operator=(const IconCopy&) = delete;
    HICON Get() const { return icon_; }

private:
    HICON icon_;
};

// Text colour and background mode, put back at the end.
class TextState {
public:
    TextState(HDC dc, COLORREF color) : dc_(dc), color_(SetTextColor(dc, color)), mode_(SetBkMode(dc, TRANSPARENT)) {}
    ~TextState() {
        SetBkMode(dc_, mode_);
        SetTextColor(dc_, color_);
    }
    TextState(const TextState&) = delete;
    TextState& operator=(const TextState&) = delete;

private:
    HDC dc_;
    COLORREF color_;
    int mode_;
};

void PatFill(HDC dc, COLORREF color, int x, int y, int width, int height) {
    Brush brush(CreateSolidBrush(color));
    if (!brush) return;
    SelectedObject selected(dc, brush.Get());
    PatBlt(dc, x, y, width, height, PATCOPY);
}

}  // namespace

TBorderStyle TGradientCaption::BorderStyle() const {
    if (DesignState) return TBorderStyle::bsSizeable;
    const LONG_PTR style = GetWindowLongPtrW(formWindow_, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(formWindow_, GWL_EXSTYLE);
    if ((style & WS_CAPTION) != WS_CAPTION) return TBorderStyle::bsNone;
    const bool sizeable = (style & WS_THICKFRAME) != 0;
    if (exStyle & WS_EX_TOOLWINDOW) return sizeable ? TBorderStyle::bsSizeToolWin : TBorderStyle::bsToolWindow;
    if (sizeable) return TBorderStyle::bsSizeable;
    if (exStyle & WS_EX_DLGMODALFRAME) return TBorderStyle::bsDialog;
    return TBorderStyle::bsSingle;
}

unsigned TGradientCaption::BorderIcons() const {
    const LONG_PTR style = GetWindowLongPtrW(formWindow_, GWL_STYLE);
    const LONG_PTR exStyle = GetWindowLongPtrW(formWindow_, GWL_EXSTYLE);
    unsigned icons = 0;
    if (style & WS_SYSMENU) icons |= biSystemMenu;
    if (style & WS_MINIMIZEBOX) icons |= biMinimize;
    if (style & WS_MAXIMIZEBOX) icons |= biMaximize;
    if (exStyle & WS_EX_CONTEXTHELP) icons |= biHelp;
    return icons;
}

CaptionMetrics TGradientCaption::Metrics() const {
    CaptionMetrics m;
    m.cxBorder = GetSystemMetrics(SM_CXBORDER);
    m.cyBorder = GetSystemMetrics(SM_CYBORDER);
    m.cxDlgFrame = GetSystemMetrics(SM_CXDLGFRAME);
    m.cyDlgFrame = GetSystemMetrics(SM_CYDLGFRAME);
    m.cxFrame = GetSystemMetrics(SM_CXFRAME);
    m.cyFrame = GetSystemMetrics(SM_CYFRAME);
    m.cyCaption = GetSystemMetrics(SM_CYCAPTION);
    m.cySmCaption = GetSystemMetrics(SM_CYSMCAPTION);
    m.cxSize = GetSystemMetrics(SM_CXSIZE);
    m.cxSmSize = GetSystemMetrics(SM_CXSMSIZE);
    return m;
}

RECT TGradientCaption::ComputeCaptionBarRect() const {
    RECT w{};
    GetWindowRect(formWindow_, &w);
    return ToRect(qm::ComputeCaptionBarRect(BorderStyle(), w.right - w.left, w.bottom - w.top,
                                            IsIconic(formWindow_) != FALSE, newLook_, Metrics()));
}

unsigned TGradientCaption::ComputeButtonSet() const { return qm::ComputeButtonSet(BorderStyle(), BorderIcons(), newLook_); }

RECT TGradientCaption::ComputeTextArea() const {
    return ToRect(
        qm::ComputeTextArea(FromRect(ComputeCaptionBarRect()), BorderStyle(), BorderIcons(), newLook_, Metrics()));
}

RECT TGradientCaption::PaintCaptionBar(bool active) {
    RECT painted{0, 0, 0, 0};
    if (!formWindow_ || (BorderStyle() == TBorderStyle::bsNone && !DesignState)) return painted;
    FrameDC wdc(formWindow_);
    if (!wdc.Get()) return painted;
    MemoryDC mdc(wdc.Get());
    if (!mdc.Get()) return painted;
    RECT t = ComputeTextArea();
    const RECT c = newLook_ ? ComputeCaptionBarRect() : t;
    if (c.right <= 0 || c.bottom <= 0) return painted;
    Bitmap bitmap(CreateCompatibleBitmap(wdc.Get(), c.right, c.bottom));
    if (!bitmap) return painted;
    SelectedObject selectedBitmap(mdc.Get(), bitmap.Get());
    painted = c;
    const COLORREF base = ToColorRef(active ? clActiveCaption : clInactiveCaption);
    if (UseGradient(enabled_, active, GetDeviceCaps(mdc.Get(), BITSPIXEL))) {
        FillBands(mdc.Get(), ToColorRef(color_), base, c);
    } else {
        FillPlain(mdc.Get(), base, c);
    }
    if (newLook_ && (((BorderIcons() & biSystemMenu) &&
                      (BorderStyle() == TBorderStyle::bsSingle || BorderStyle() == TBorderStyle::bsSizeable)) ||
                     DesignState))
        DrawSmallIcon(mdc.Get(), t);
    if (newLook_) DrawFrameButtons(mdc.Get(), c);
    CaptionText.StoreCaption(CaptionText.Caption());
    DrawTexts(mdc.Get(), t, active);
    BitBlt(wdc.Get(), c.left, c.top, c.right - c.left, c.bottom - c.top, mdc.Get(), c.left, c.top, SRCCOPY);
    return painted;
}

void TGradientCaption::FillBands(HDC dc, COLORREF start, COLORREF end, const RECT& c) const {
    for (const ColorBand& band : ComputeBands(numColors_, start, end, FromRect(c)))
        if (band.x1 > band.x0) PatFill(dc, band.color, band.x0, c.top, band.x1 - band.x0, c.bottom - c.top);
}

void TGradientCaption::FillPlain(HDC dc, COLORREF color, const RECT& c) {
    PatFill(dc, color, c.left, c.top, c.right - c.left, c.bottom - c.top);
}

void TGradientCaption::DrawSmallIcon(HDC dc, RECT& t) const {
    t.left += 1;
    HICON icon = reinterpret_cast<HICON>(SendMessageW(formWindow_, WM_GETICON, ICON_SMALL, 0));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(formWindow_, GCLP_HICONSM));
    if (!icon) icon = reinterpret_cast<HICON>(GetClassLongPtrW(formWindow_, GCLP_HICON));
    if (!icon) icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    if (!icon) icon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));  // IDI_APPLICATION
    int cx = GetSystemMetrics(SM_CXSMICON);
    if (!cx) cx = GetSystemMetrics(SM_CXSIZE);
    int cy = GetSystemMetrics(SM_CYSMICON);
    if (!cy) cy = GetSystemMetrics(SM_CYSIZE);
    IconCopy copy(static_cast<HICON>(CopyImage(icon, IMAGE_ICON, cx, cy, LR_COPYFROMRESOURCE)));
    if (copy.Get()) DrawIconEx(dc, t.left + 1, t.top + 1, copy.Get(), 0, 0, 0, nullptr, DI_NORMAL);
    t.left += GetSystemMetrics(SM_CXSMICON) + 1;
}

void TGradientCaption::DrawFrameButtons(HDC dc, const RECT& c) const {
    const unsigned set = ComputeButtonSet();
    const int s = GetSystemMetrics(SM_CXSMICON);
    const unsigned icons = BorderIcons();
    RECT b{c.left + 2, c.top + 2, c.right - 2, c.bottom - 2};
    b.left = b.right - s;
    auto move = [&b](int dx) { OffsetRect(&b, -dx, 0); };
    if (set & fbClose) {
        DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONCLOSE);
        move(s + 2);
    }
    if (set & fbMaximize) {
        UINT state = IsZoomed(formWindow_) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMAX;
        if (!(icons & biMaximize)) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &b, DFC_CAPTION, state);
        move(s);
    }
    if (set & fbMinimize) {
        UINT state = IsIconic(formWindow_) ? DFCS_CAPTIONRESTORE : DFCS_CAPTIONMIN;
        if (!(icons & biMinimize)) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &b, DFC_CAPTION, state);
        move(s);
    }
    if (set & fbHelp) DrawFrameControl(dc, &b, DFC_CAPTION, DFCS_CAPTIONHELP);
}

int TGradientCaption::MeasureTextPart(HDC dc, const RECT& t, const TCompanyText& part) {
    SelectedObject font(dc, part.FontHandle());
    RECT m = t;
    const std::wstring caption = Widen(part.Caption());
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &m, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    return m.right - m.left + 3;
}

void TGradientCaption::DrawTextPart(HDC dc, RECT& t, bool active, const TCompanyText& part) {
    t.left += 3;
    TextState state(dc, ToColorRef(active ? part.ColorActive() : part.ColorInactive()));
    SelectedObject font(dc, part.FontHandle());
    const std::wstring caption = Widen(part.Caption());
    RECT m = t;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &m, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &t, DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER);
    t.left = m.right;
}

void TGradientCaption::DrawTexts(HDC dc, RECT t, bool active) {
    const int width = t.right - t.left;
    const int wC = CompanyText.Visible() ? MeasureTextPart(dc, t, CompanyText) : 0;
    const int wA = AppNameText.Visible() ? MeasureTextPart(dc, t, AppNameText) : 0;
    const int wT = CaptionText.Visible() ? MeasureTextPart(dc, t, CaptionText) : 0;
    const bool fitsPartly = wA + wT < width;
    const int invisibleCaption = !fitsPartly ? (CaptionText.Visible() ? wT : MeasureTextPart(dc, t, CaptionText)) : 0;
    const CaptionTextLayout layout = LayOutCaptionText(width, wC, wA, wT, invisibleCaption, newLook_);
    t.left += layout.indent;
    if (layout.showCompany && !CompanyText.StoredCaption().empty() && CompanyText.Visible())
        DrawTextPart(dc, t, active, CompanyText);
    if (layout.showApp && !AppNameText.StoredCaption().empty() && AppNameText.Visible())
        DrawTextPart(dc, t, active, AppNameText);
    if (CaptionText.Visible()) DrawTextPart(dc, t, active, CaptionText);
}

}  // namespace qm
