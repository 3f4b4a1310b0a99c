// `TGradientCaption`: takes the painting of its owner window's caption bar
// away from the system. It replaces the window's procedure with its own (every
// message reaches it first), paints the bar with a gradient, the small icon,
// the frame buttons and three text parts, and hands everything else to the
// previous procedure, which it puts back exactly when it goes.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "caption/CaptionLayout.h"
#include "editor/ColorTypes.h"
#include "ui/Font.h"
#include "ui/Window.h"

namespace qm {

inline constexpr TColor clActiveCaption = 0x80000002;
inline constexpr TColor clInactiveCaption = 0x80000003;
inline constexpr TColor clCaptionText = 0x80000009;
inline constexpr TColor clInactiveCaptionText = 0x80000013;

class TGradientCaption;

// The settings of one text part of the bar.
class TCompanyText {
public:
    explicit TCompanyText(TGradientCaption* owner);
    virtual ~TCompanyText() = default;

    virtual std::string Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    TColor ColorActive() const { return colorActive_; }
    void SetColorActive(TColor color);
    TColor ColorInactive() const { return colorInactive_; }
    void SetColorInactive(TColor color);
    const TFont& Font() const { return font_; }
    // Copies the font; the part becomes fkCustom unless it is fkAutoHeight,
    // whose font is fitted to the system caption font.
    void SetFont(const TFont& font);
    TFontKind FontKind() const { return fontKind_; }
    void SetFontKind(TFontKind kind);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // The part's stored caption, whatever the window text says.
    const std::string& StoredCaption() const { return caption_; }
    // The GDI font of the part, made when first asked for.
    HFONT FontHandle() const;

private:
    friend class TGradientCaption;
    void AssignFont(const TFont& font);

    std::string caption_;
    TColor colorActive_ = clCaptionText;
    TColor colorInactive_ = clInactiveCaptionText;
    TFont font_;
    TFontKind fontKind_ = TFontKind::fkSystem;
    bool visible_ = true;
    mutable qm::Font gdiFont_;

protected:
    void StoreCaption(const std::string& caption) { caption_ = caption; }
    TGradientCaption* ownerCaption_;
};

class TAppNameText : public TCompanyText {
public:
    using TCompanyText::TCompanyText;
};

// The caption part: its caption is read back from the owner's window text.
class TCaptionText : public TCompanyText {
public:
    using TCompanyText::TCompanyText;
    std::string Caption() const override;
};

class TGradientCaption {
public:
    // Hooks the owner's window (made already).
    explicit TGradientCaption(HWND ownerWindow);
    ~TGradientCaption();
    TGradientCaption(const TGradientCaption&) = delete;
    TGradientCaption& operator=(const TGradientCaption&) = delete;

    TCompanyText CompanyText;
    TAppNameText AppNameText;
    TCaptionText CaptionText;

    bool NewLook() const { return newLook_; }
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TGradEnabled Enabled() const { return enabled_; }
    void SetEnabled(TGradEnabled enabled);
    int NumColors() const { return numColors_; }
    void SetNumColors(int value);
    // Set only by a designer: writes repaint, corrections are reported.
    bool DesignState = false;

    HWND FormWindow() const { return formWindow_; }
    bool Attached() const { return attached_; }
    const TFont& SystemCaptionFont() const { return systemCaptionFont_; }

    // The owner has finished loading: hook its window again if it was re-made.
    void Loaded(HWND ownerWindowNow);

    // --- Inside the component (public for the painting and the tests) ----
    bool QueryActive() const;
    void RequestFrameRedraw() const;
    void ComposeWindowText();
    void ApplyFontKind(TCompanyText& part, TFontKind kind);
    static void ReadSystemCaptionFont(TFont& font);
    void MatchCaptionFontHeight(TFont& font) const;
    void AttachToWindow();
    void DetachFromWindow();
    LRESULT CaptionWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Paints the bar; the rectangle painted, in window coordinates (empty
    // when nothing was painted).
    RECT PaintCaptionBar(bool active);

    TBorderStyle BorderStyle() const;
    unsigned BorderIcons() const;
    CaptionMetrics Metrics() const;
    RECT ComputeCaptionBarRect() const;
    unsigned ComputeButtonSet() const;
    RECT ComputeTextArea() const;

private:
    static LRESULT CALLBACK HookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NcPaint(WPARAM wParam, LPARAM lParam);
    void FillBands(HDC dc, COLORREF start, COLORREF end, const RECT& c) const;
    static void FillPlain(HDC dc, COLORREF color, const RECT& c);
    void DrawSmallIcon(HDC dc, RECT& t) const;
    void DrawFrameButtons(HDC dc, const RECT& c) const;
    static int MeasureTextPart(HDC dc, const RECT& t, const TCompanyText& part);
    static void DrawTextPart(HDC dc, RECT& t, bool active, const TCompanyText& part);
    void DrawTexts(HDC dc, RECT t, bool active);
    void TurnOffCompositorFrame() const;

    HWND formWindow_ = nullptr;
    bool newLook_ = true;
    TColor color_ = clBlack;
    TGradEnabled enabled_ = TGradEnabled::geSmart;
    int numColors_ = 64;
    TFont systemCaptionFont_;
    bool lastActive_ = true;
    bool activeKnown_ = false;
    WNDPROC previousWindowProc_ = nullptr;
    bool attached_ = false;
};

// The configuration the program's windows give their caption: a maroon
// gradient and the title in 16-pixel bold italic Times New Roman.
void ConfigureProgramCaption(TGradientCaption& caption, const std::string& title);

}  // namespace qm
