// The application object: its title, the message loop and the central error
// box through which every error raised in a command reaches the user.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

namespace qm {

class TApplication {
public:
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }

    // The window that owns the program's boxes (the main window once made).
    HWND MainWindow() const { return mainWindow_; }
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Shows the error's message in the central error box; the program goes on.
    void HandleException(const std::exception& error);
    void HandleUnknownException();

    // Modeless windows (dialogs and forms shown beside the main window): the
    // message loop passes every message through IsDialogMessage of each, so
    // Tab, Enter, Escape and access keys work in them. A window removes
    // itself before it is destroyed; one destroyed meanwhile is skipped.
    void AddModelessWindow(HWND window);
    void RemoveModelessWindow(HWND window);
    // Whether one of the modeless windows took the message.
    bool IsModelessMessage(MSG& msg) const;

    // Shortcut keys of `window`: translated by the message loop while the
    // window or one of its children has the focus (not in a dialog).
    void SetAccelerators(HWND window, HACCEL table) {
        acceleratorWindow_ = window;
        accelerators_ = table;
    }
    // Whether the message was a shortcut key, now sent as its command.
    bool IsShortcut(MSG& msg) const;

    // Runs the message loop until WM_QUIT; returns its exit code. The loop
    // is the wide one, so that typed characters reach the windows as UTF-16.
    int Run();
    // Handles the messages waiting now, then returns.
    void ProcessMessages();

private:
    std::string title_ = "Quillmere";
    HWND mainWindow_ = nullptr;
    std::vector<HWND> modeless_;
    HWND acceleratorWindow_ = nullptr;
    HACCEL accelerators_ = nullptr;
};

TApplication& Application();

// Runs a callback body at a Win32 boundary: an exception goes to the central
// error box and `fallback` is returned instead.
template <typename Body, typename Result>
Result Guarded(Body&& body, Result fallback) {
    try {
        return body();
    } catch (const std::exception& error) {
        Application().HandleException(error);
    } catch (...) {
        Application().HandleUnknownException();
    }
    return fallback;
}

}  // namespace qm
