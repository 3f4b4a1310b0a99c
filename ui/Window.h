// Base of the program's own windows: one static window procedure per class
// stores the object at WM_NCCREATE, forwards every later message to
// HandleMessage and forgets the object at WM_NCDESTROY. Errors raised while a
// message is handled go to the central error box, never across the callback.
// A top-level window keeps its focused control: the child that had the
// keyboard focus when the window was left gets it back whenever the window
// becomes active again (after a dialog or box closes, or when the user
// switches back from another program), as the system's dialogs do.
#pragma once

#include <windows.h>

#include <string>

namespace qm {

class TWindow {
public:
    TWindow() = default;
    virtual ~TWindow();
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;

    HWND Handle() const { return handle_; }

    // Registers the class (once) and creates the window. Names and texts
    // here and below are UTF-8.
    void CreateWindowOfClass(const char* className, const char* caption, DWORD style, DWORD exStyle,
                             int x, int y, int width, int height, HWND parent, HMENU menu,
                             HICON icon = nullptr, HCURSOR cursor = nullptr);
    void Destroy();

    void SetCaption(const std::string& caption);
    std::string Caption() const;
    bool Visible() const { return handle_ && IsWindowVisible(handle_); }

    // Gives the keyboard focus to ActiveControl(), when there is one.
    void FocusActiveControl();

protected:
    // Handles one message; the default hands it to DefWindowProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The window is gone (after WM_NCDESTROY).
    virtual void Destroyed() {}
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // The child that gets the focus when the window becomes active; by
    // default the one that had it when the window was last left.
    virtual HWND ActiveControl() const { return lastFocus_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void KeepFocus(UINT message, WPARAM wParam, bool before);
    HWND handle_ = nullptr;
    HWND lastFocus_ = nullptr;
};

// Text of any window (WM_GETTEXT), of any length, in UTF-8.
std::string WindowText(HWND window);

}  // namespace qm
