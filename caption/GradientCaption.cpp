#include "caption/GradientCaption.h"

#include "ui/Application.h"
#include "ui/Gdi.h"
#include "ui/MessageBoxes.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr wchar_t kHookProperty[] = L"QuillmereGradientCaption";

bool VersionSaysNewLook() {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const bool known = GetVersionExW(&version) != FALSE;
#pragma GCC diagnostic pop
    return IsNewLook(known, version.dwPlatformId, version.dwMajorVersion);
}

int CellHeight(const TFont& font) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    if (!dc) return 0;
    int height = 0;
    {
        Bitmap scratch(CreateCompatibleBitmap(dc, 10, 10));
        SelectedObject bitmap(dc, scratch.Get());
        qm::Font gdi = CreateGdiFont(font);
        SelectedObject selected(dc, gdi.Get());
        TEXTMETRICW metrics{};
        if (GetTextMetricsW(dc, &metrics)) height = metrics.tmHeight - metrics.tmInternalLeading;
    }
    DeleteDC(dc);
    return height;
}

}  // namespace

// --- TCompanyText ---------------------------------------------------------

TCompanyText::TCompanyText(TGradientCaption* owner) : ownerCaption_(owner) {}

void TCompanyText::AssignFont(const TFont& font) {
    font_ = font;
    gdiFont_.Reset();
}

HFONT TCompanyText::FontHandle() const {
    if (!gdiFont_) gdiFont_ = CreateGdiFont(font_);
    return gdiFont_.Get();
}

void TCompanyText::SetCaption(const std::string& caption) {
    caption_ = caption;
    ownerCaption_->ComposeWindowText();
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

void TCompanyText::SetColorActive(TColor color) {
    colorActive_ = color;
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

void TCompanyText::SetColorInactive(TColor color) {
    colorInactive_ = color;
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

void TCompanyText::SetFont(const TFont& font) {
    AssignFont(font);
    if (fontKind_ == TFontKind::fkAutoHeight) {
        TFont fitted = font_;
        ownerCaption_->MatchCaptionFontHeight(fitted);
        AssignFont(fitted);
    } else {
        fontKind_ = TFontKind::fkCustom;
    }
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

void TCompanyText::SetFontKind(TFontKind kind) {
    ownerCaption_->ApplyFontKind(*this, kind);
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

void TCompanyText::SetVisible(bool visible) {
    visible_ = visible;
    ownerCaption_->ComposeWindowText();
    if (ownerCaption_->DesignState) ownerCaption_->RequestFrameRedraw();
}

std::string TCaptionText::Caption() const {
    const TGradientCaption& owner = *ownerCaption_;
    if (!owner.FormWindow() || !IsWindow(owner.FormWindow())) return {};
    return DeriveCaptionText(WindowText(owner.FormWindow()),
                             {owner.CompanyText.Visible(), owner.CompanyText.StoredCaption()},
                             {owner.AppNameText.Visible(), owner.AppNameText.StoredCaption()});
}

// --- TGradientCaption -----------------------------------------------------

TGradientCaption::TGradientCaption(HWND ownerWindow)
    : CompanyText(this),
      AppNameText(this),
      CaptionText(this),
      formWindow_(ownerWindow) {
    newLook_ = VersionSaysNewLook();
    ReadSystemCaptionFont(systemCaptionFont_);
    for (TCompanyText* part : {static_cast<TCompanyText*>(&CompanyText), static_cast<TCompanyText*>(&AppNameText),
                               static_cast<TCompanyText*>(&CaptionText)})
        part->AssignFont(systemCaptionFont_);
    AttachToWindow();
    if (DesignState) {
        CompanyText.StoreCaption("");
        AppNameText.StoreCaption("");
        CaptionText.StoreCaption(WindowText(formWindow_));
        ComposeWindowText();
        ApplyFontKind(CaptionText, TFontKind::fkSystem);
        ApplyFontKind(AppNameText, TFontKind::fkSystemB);
        ApplyFontKind(CompanyText, TFontKind::fkSystemBI);
        PaintCaptionBar(QueryActive());
    }
}

TGradientCaption::~TGradientCaption() {
    const bool windowLives = attached_ && IsWindow(formWindow_);
    DetachFromWindow();
    if (windowLives) RequestFrameRedraw();
}

void TGradientCaption::SetColor(TColor color) {
    if (color == color_) return;
    color_ = color;
    if (DesignState) RequestFrameRedraw();
}

void TGradientCaption::SetEnabled(TGradEnabled enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (DesignState) RequestFrameRedraw();
}

void TGradientCaption::SetNumColors(int value) {
    const NumColorsWrite write = WriteNumColors(numColors_, value);
    numColors_ = write.value;
    if (DesignState && (write.changed || value > 256)) RequestFrameRedraw();
    if (DesignState && write.message) ShowErrorBox(formWindow_, write.message);
}

void TGradientCaption::Loaded(HWND ownerWindowNow) {
    if (ownerWindowNow != formWindow_) {
        DetachFromWindow();
        formWindow_ = ownerWindowNow;
        AttachToWindow();
    }
}

bool TGradientCaption::QueryActive() const {
    if (activeKnown_) return lastActive_;
    return GetActiveWindow() == formWindow_;
}

void TGradientCaption::RequestFrameRedraw() const {
    if (formWindow_)
        SetWindowPos(formWindow_, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void TGradientCaption::ComposeWindowText() {
    if (!formWindow_) return;
    const std::string text = qm::ComposeWindowText({CompanyText.Visible(), CompanyText.StoredCaption()},
                                                   {AppNameText.Visible(), AppNameText.StoredCaption()},
                                                   {CaptionText.Visible(), CaptionText.StoredCaption()});
    LockWindowUpdate(formWindow_);
    SetWindowTextW(formWindow_, Widen(text).c_str());
    LockWindowUpdate(nullptr);
}

void TGradientCaption::ApplyFontKind(TCompanyText& part, TFontKind kind) {
    part.fontKind_ = kind;
    TFont font = systemCaptionFont_;
    switch (kind) {
    case TFontKind::fkCustom: return;
    case TFontKind::fkSystem: break;
    case TFontKind::fkSystemI: font.Italic = true; break;
    case TFontKind::fkSystemB: font.Bold = true; break;
    case TFontKind::fkSystemBI: font.Bold = font.Italic = true; break;
    case TFontKind::fkAutoHeight:
        font = part.font_;
        MatchCaptionFontHeight(font);
        break;
    }
    part.AssignFont(font);
}

void TGradientCaption::ReadSystemCaptionFont(TFont& font) {
    // The stock system font, unless the system names its caption font.
    font = TFont{};
    font.Name = "System";
    font.Height = 16;
    font.Bold = true;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    const LOGFONTW& caption = metrics.lfCaptionFont;
    font.Name = Narrow(std::wstring_view(caption.lfFaceName, wcsnlen(caption.lfFaceName, LF_FACESIZE)));
    if (caption.lfHeight > 0) {
        // A point size: as a character height at the screen's resolution.
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        font.Height = -MulDiv(caption.lfHeight, dpi, 72);
    } else {
        font.Height = caption.lfHeight;
    }
    font.Italic = caption.lfItalic != 0;
    font.Bold = caption.lfWeight > 500;
    font.Underline = font.StrikeOut = false;
}

void TGradientCaption::MatchCaptionFontHeight(TFont& font) const {
    const int c0 = CellHeight(systemCaptionFont_);
    int c1 = CellHeight(font);
    font.Height += c1 - c0;
    c1 = CellHeight(font);
    if (c0 < c1) font.Height += c1 - c0;
}

void TGradientCaption::AttachToWindow() {
    if (!formWindow_ || attached_) return;
    TurnOffCompositorFrame();
    if (!SetPropW(formWindow_, kHookProperty, this)) return;
    // The wide functions keep the window a Unicode window.
    previousWindowProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(formWindow_, GWLP_WNDPROC));
    SetWindowLongPtrW(formWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TGradientCaption::HookProc));
    attached_ = true;
}

void TGradientCaption::DetachFromWindow() {
    if (!attached_) return;
    SetWindowLongPtrW(formWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previousWindowProc_));
    RemovePropW(formWindow_, kHookProperty);
    attached_ = false;
}

void TGradientCaption::TurnOffCompositorFrame() const {
    // Since Vista the compositor draws frames and our painting would not
    // show; dwmapi is looked for at run time, so older systems start too.
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (!dwm) return;
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    auto set = reinterpret_cast<SetAttribute>(reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")));
    if (set) {
        const int disabled = 1;       // DWMNCRP_DISABLED
        set(formWindow_, 2, &disabled, sizeof disabled);  // DWMWA_NCRENDERING_POLICY
    }
    FreeLibrary(dwm);
}

LRESULT CALLBACK TGradientCaption::HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<TGradientCaption*>(GetPropW(window, kHookProperty));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window goes: give it its own procedure back first.
        WNDPROC previous = self->previousWindowProc_;
        self->DetachFromWindow();
        self->formWindow_ = nullptr;
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    return Guarded([&] { return self->CaptionWindowProc(message, wParam, lParam); }, static_cast<LRESULT>(0));
}

LRESULT TGradientCaption::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(previousWindowProc_, formWindow_, message, wParam, lParam);
}

LRESULT TGradientCaption::CaptionWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT: return NcPaint(wParam, lParam);
    case WM_NCACTIVATE:
        lastActive_ = wParam != 0;
        activeKnown_ = true;
        if (!newLook_) CallPrevious(message, wParam, lParam);
        PaintCaptionBar(wParam != 0);
        return TRUE;
    default: break;
    }
    const LRESULT result = CallPrevious(message, wParam, lParam);
    if (message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE || message == WM_DISPLAYCHANGE) {
        ReadSystemCaptionFont(systemCaptionFont_);
        ApplyFontKind(AppNameText, AppNameText.FontKind());
        ApplyFontKind(CaptionText, CaptionText.FontKind());
        ApplyFontKind(CompanyText, CompanyText.FontKind());
        RequestFrameRedraw();
    }
    return result;
}

LRESULT TGradientCaption::NcPaint(WPARAM wParam, LPARAM lParam) {
    const RECT painted = PaintCaptionBar(QueryActive());
    HDC dc = GetWindowDC(formWindow_);
    RECT w{};
    GetWindowRect(formWindow_, &w);
    GdiObject<HRGN> region(CreateRectRgnIndirect(&w));
    if (!dc || !region) {
        if (dc) ReleaseDC(formWindow_, dc);
        return CallPrevious(WM_NCPAINT, wParam, lParam);
    }
    struct Release {
        HWND window;
        HDC dc;
        ~Release() { ReleaseDC(window, dc); }
    } release{formWindow_, dc};
    const HRGN update = wParam > 1 ? reinterpret_cast<HRGN>(wParam) : nullptr;
    if (!update || SelectClipRgn(dc, update) == ERROR) SelectClipRgn(dc, region.Get());
    OffsetClipRgn(dc, -w.left, -w.top);
    ExcludeClipRect(dc, painted.left, painted.top, painted.right, painted.bottom);
    OffsetClipRgn(dc, w.left, w.top);
    GetClipRgn(dc, region.Get());
    return CallPrevious(WM_NCPAINT, reinterpret_cast<WPARAM>(region.Get()), lParam);
}

void ConfigureProgramCaption(TGradientCaption& caption, const std::string& title) {
    caption.SetColor(clMaroon);
    caption.CompanyText.SetCaption("");
    caption.CompanyText.SetFontKind(TFontKind::fkSystemBI);
    caption.CompanyText.SetVisible(true);
    caption.AppNameText.SetCaption("");
    caption.AppNameText.SetFontKind(TFontKind::fkSystemB);
    caption.AppNameText.SetVisible(true);
    caption.CaptionText.SetCaption(title);
    TFont font;
    font.Name = "Times New Roman";
    font.Height = -16;
    font.Bold = true;
    font.Italic = true;
    font.Color = clMaroon;
    caption.CaptionText.SetFont(font);
    caption.CaptionText.SetVisible(true);
}

}  // namespace qm
