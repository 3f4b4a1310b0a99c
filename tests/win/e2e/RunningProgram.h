// Drives a real program from another process, as a user would: starts it,
// finds its windows, types, uses its menus and buttons, reads what its
// controls show, and ends it when the test is over.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace qmtest {

// A Linux path ("/a/b.exe") as Wine sees it ("Z:\a\b.exe"); other paths come
// back unchanged.
std::string WindowsPathFromUnix(const std::string& path);

// Polls `condition` every few milliseconds until it holds or `timeoutMs`
// have passed; returns its last value.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// SendMessage to another process's window, given up (std::runtime_error)
// after five seconds instead of waiting for ever on a program that hangs.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A window's class name and text (UTF-8). The text is asked for with a time
// limit, so a hung program cannot hang the test.
std::string ClassOf(HWND window);
std::string TextOf(HWND window);

// The first child (at any depth) of `parent` whose class matches `className`
// (letter case ignored) and that `accept` accepts; nullptr if none.
HWND FindChild(HWND parent, const std::string& className, const std::function<bool(HWND)>& accept = {});

// Presses a key (down and up, with Alt held when asked) in the program that
// owns `target`: the key messages go to the queue of the window's thread,
// where the program's own loop translates and handles them as typed keys.
// Keys through the system-wide input queue (SendInput) would go to whichever
// window is in front, and other programs run in the same Wine session.
void PressKey(HWND target, WORD key, bool alt = false);

// Presses the keys together through the system's input queue, after
// bringing `window` to the front (VK_CONTROL, VK_SHIFT, 'S': Ctrl+Shift+S),
// and lets them go in the reverse order.
void PressChord(HWND window, const std::vector<WORD>& keys);

// Types `text` (letters, digits, blanks) as real key presses through the
// system's input queue, after bringing `window` to the front: the keys reach
// whichever control has the keyboard focus there, as a user's keys would.
void TypeRealKeys(HWND window, const std::string& text);

// Types `text` through the system's input queue as Unicode keys
// (KEYEVENTF_UNICODE), after bringing `window` to the front: characters of
// any script, as an input method gives them.
void TypeUnicode(HWND window, const std::wstring& text);

// Mouse input through the system's input queue, after bringing `window` to
// the front: moves to each screen point in turn, pressing and releasing the
// button at every point with `click` set, all in one batch (so that the
// program handles the clicks only after the mouse has moved on).
struct MouseStep {
    POINT point;
    bool click;
};
void SendMouse(HWND window, const std::vector<MouseStep>& steps, bool rightButton = false);

// The window that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window);

// The file name field of a common open or save dialog.
HWND FileNameField(HWND dialog);

class RunningProgram {
public:
    // Starts `exePath` with `arguments` (each quoted) in `workingDir`.
    // Throws std::runtime_error when the process cannot be made.
    RunningProgram(const std::string& exePath, const std::vector<std::string>& arguments,
                   const std::string& workingDir);
    // Ends the process if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return processId_; }
    bool Running() const;
    // Waits for the process to end; false when it still runs after `timeoutMs`.
    bool WaitForExit(DWORD timeoutMs) const;
    // The exit code once the process has ended.
    DWORD ExitCode() const;

    // The visible top-level windows of the process.
    std::vector<HWND> Windows() const;
    // A visible top-level window of the process with this caption (and, when
    // `className` is given, this class); nullptr if there is none.
    HWND FindWindowByCaption(const std::string& caption, const std::string& className = "") const;
    // The same, waiting up to `timeoutMs` for it to appear.
    HWND WaitForWindow(const std::string& caption, DWORD timeoutMs, const std::string& className = "") const;
    // Waits up to `timeoutMs` for a window to be gone (destroyed or hidden).
    static bool WaitForWindowGone(HWND window, DWORD timeoutMs);

    // Whether the process shows a drop-down menu now.
    bool MenuOpen() const;

    // Types `text` into `edit` as characters (WM_CHAR, one per byte; "\r"
    // is the Return key).
    static void TypeChars(HWND edit, const std::string& text);

    // Clicks the button captioned `caption` in `dialog` (BM_CLICK); false
    // when there is no such button.
    static bool ClickButton(HWND dialog, const std::string& caption);

    // Opens the menu bar item captioned `menu` of `window` with its access
    // key (Alt + letter) and picks `item` with its access key. Throws
    // std::runtime_error when the menu does not open or does not close.
    void ChooseMenuItem(HWND window, const std::string& menu, const std::string& item) const;

    // Picks `item` of the menu bar item `menu` by their access keys and
    // waits up to `timeoutMs` for `done` to hold. Under Wine an X focus
    // change that arrives late (just after a dialog closed) reaches the
    // program as WM_CANCELMODE and closes a menu it has just opened, before
    // or after the item key, which is then lost. So when the menu is gone,
    // the window is not disabled by a modal window on its way and `done`
    // does not come within a second, the choice is made again (at most three
    // times). Throws std::runtime_error when `done` never holds.
    void ChooseMenuItemUntil(HWND window, const std::string& menu, const std::string& item,
                             const std::function<bool()>& done, DWORD timeoutMs) const;
    // The same for an item that opens a modal window: waits for the window
    // captioned `caption` (and, when given, of class `className`) and
    // returns it.
    HWND ChooseMenuItemOpening(HWND window, const std::string& menu, const std::string& item,
                               const std::string& caption, DWORD timeoutMs,
                               const std::string& className = "") const;

    // The rectangle of one tab of a tab control of this process, in screen
    // coordinates.
    RECT TabRect(HWND tabStrip, int index) const;

    // The text of one panel of a status bar of this process, and the name
    // of one tab of a tab control (read through the process's own memory).
    // Texts here are UTF-8.
    std::string StatusText(HWND statusBar, int panel) const;
    std::string TabText(HWND tabStrip, int index) const;

private:
    std::string ReadRemoteText(const void* address, size_t length) const;
    HANDLE process_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD processId_ = 0;
};

}  // namespace qmtest
