// TColorMemo: the editor control of every document, over the native
// multi-line EDIT control (subclassed), which keeps the text, caret,
// selection, scrolling and undo.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "editor/ColorTypes.h"
#include "ui/Font.h"
#include "ui/Gdi.h"

namespace qm {

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TColorMemo {
public:
    TColorMemo(HWND parent, int id);
    virtual ~TColorMemo();
    TColorMemo(const TColorMemo&) = delete;
    TColorMemo& operator=(const TColorMemo&) = delete;

    HWND Handle() const { return handle_; }
    HWND Parent() const { return parent_; }
    // The control behind a window handle, or nullptr.
    static TColorMemo* FromHandle(HWND window);

    // Geometry and visibility.
    void SetBounds(int left, int top, int width, int height);
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetVisible(bool visible);
    bool Visible() const { return visible_; }
    void SetFocus();
    bool Enabled() const { return IsWindowEnabled(handle_) != FALSE; }

    // Text. SetText refuses (throws) a text the control did not take whole.
    std::string Text() const;
    void SetText(const std::string& text);
    int TextLength() const;
    // Lines as an editor counts them: without a final empty line.
    int LineCount() const;
    bool Modified() const;
    void SetModified(bool modified);

    int SelStart() const;
    int SelLength() const;
    void SetSelection(int start, int length);

    // Settings.
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);
    TScrollStyle ScrollBars() const { return scrollBars_; }
    void SetScrollBars(TScrollStyle scrollBars);
    bool RedrawAlways() const { return redrawAlways_; }
    void SetRedrawAlways(bool redrawAlways) { redrawAlways_ = redrawAlways; }

    // The context menu (owned elsewhere) whose commands go to `commandTarget`;
    // it opens on a right click only while enabled.
    void SetPopupMenu(HMENU menu, HWND commandTarget);
    HMENU PopupMenu() const { return popupMenu_; }
    void SetPopupEnabled(bool enabled) { popupEnabled_ = enabled; }
    bool PopupEnabled() const { return popupEnabled_; }

    // Fired after the text changed.
    std::function<void()> OnChange;

    // The parent hands on WM_COMMAND and WM_CTLCOLOREDIT / WM_CTLCOLORSTATIC
    // messages; true when they were this control's, with the result.
    static bool ReflectParentMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

protected:
    // Messages of the subclassed EDIT control; the default is the native handling.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void Changed();

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR refData);
    void CreateNative();
    void DestroyNative();
    void Recreate();
    DWORD Style() const;
    LRESULT CtlColor(HDC dc);
    bool ShowPopup(LPARAM lParam);

    HWND parent_;
    int id_;
    HWND handle_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 185, height_ = 89;
    bool visible_ = true;
    bool readOnly_ = false;
    bool wordWrap_ = false;
    bool redrawAlways_ = false;
    TScrollStyle scrollBars_ = TScrollStyle::ssNone;
    TColor color_ = clWindow;
    TFont font_;
    qm::Font gdiFont_;
    Brush background_;
    HMENU popupMenu_ = nullptr;
    HWND commandTarget_ = nullptr;
    bool popupEnabled_ = true;
};

}  // namespace qm
