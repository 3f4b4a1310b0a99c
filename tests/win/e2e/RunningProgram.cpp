#include "RunningProgram.h"

#include <commctrl.h>
#include <dlgs.h>

#include <cctype>
#include <stdexcept>

#include "TestSupport.h"
#include "ui/WideText.h"

namespace qmtest {

namespace {

constexpr UINT kMessageTimeoutMs = 5000;

bool SameTextIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

// The letter after the '&' of a caption, as a virtual key.
WORD AccessKey(const std::string& caption) {
    const size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 >= caption.size()) {
        throw std::runtime_error("caption without an access key: " + caption);
    }
    return static_cast<WORD>(std::toupper(static_cast<unsigned char>(caption[amp + 1])));
}

// Memory in another process, freed when the holder goes.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size) : process_(process) {
        address_ = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_) throw std::runtime_error("VirtualAllocEx failed: " + std::to_string(GetLastError()));
    }
    ~RemoteBuffer() { VirtualFreeEx(process_, address_, 0, MEM_RELEASE); }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    void* Address() const { return address_; }

private:
    HANDLE process_;
    void* address_;
};

struct EnumState {
    std::function<bool(HWND)> accept;
    HWND found = nullptr;
    std::vector<HWND>* all = nullptr;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<EnumState*>(param);
    if (!state->accept(window)) return TRUE;
    if (state->all) {
        state->all->push_back(window);
        return TRUE;
    }
    state->found = window;
    return FALSE;
}

// Texts of messages sent this way are ANSI (SendWithTimeout) or UTF-16.
LRESULT SendTimed(bool wide, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    const auto send = wide ? &SendMessageTimeoutW : &SendMessageTimeoutA;
    if (!send(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) {
        throw std::runtime_error("no answer from the window to message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendTimed(false, window, message, wParam, lParam);
}

std::string WindowsPathFromUnix(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string result = "Z:" + path;
    for (char& c : result) {
        if (c == '/') c = '\\';
    }
    return result;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= timeoutMs) return condition();
        Sleep(20);
    }
}

std::string ClassOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return qm::Narrow(std::wstring_view(name, length > 0 ? static_cast<size_t>(length) : 0));
}

std::string TextOf(HWND window) {
    const LRESULT length = SendTimed(true, window, WM_GETTEXTLENGTH, 0, 0);
    // WM_GETTEXT is copied between processes by the system.
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = SendTimed(true, window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return qm::Narrow(text);
}

HWND FindChild(HWND parent, const std::string& className, const std::function<bool(HWND)>& accept) {
    EnumState state;
    state.accept = [&](HWND window) {
        return SameTextIgnoringCase(ClassOf(window), className) && (!accept || accept(window));
    };
    EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&state));
    return state.found;
}

void PressKey(HWND target, WORD key, bool alt) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM altDown = alt ? LPARAM{1} << 29 : 0;
    const LPARAM released = (LPARAM{1} << 30) | (LPARAM{1} << 31);
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const UINT up = alt ? WM_SYSKEYUP : WM_KEYUP;
    if (!PostMessageA(target, down, key, 1 | scan | altDown) ||
        !PostMessageA(target, up, key, 1 | scan | altDown | released)) {
        throw std::runtime_error("cannot post a key: error " + std::to_string(GetLastError()));
    }
}

void PressChord(HWND window, const std::vector<WORD>& keys) {
    if (GetForegroundWindow() != window) {
        SetForegroundWindow(window);
        WaitUntil([window] { return GetForegroundWindow() == window; }, 2000);
    }
    std::vector<INPUT> inputs;
    auto add = [&inputs](WORD vk, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    for (WORD key : keys) add(key, false);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) add(*key, true);
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
        throw std::runtime_error("SendInput failed: error " + std::to_string(GetLastError()));
    }
    Sleep(10);
}

void TypeRealKeys(HWND window, const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (scan == -1) throw std::runtime_error(std::string("no key for the character ") + c);
        const WORD key = LOBYTE(scan);
        if (HIBYTE(scan) & 1) {
            PressChord(window, {VK_SHIFT, key});
        } else {
            PressChord(window, {key});
        }
    }
}

void TypeUnicode(HWND window, const std::wstring& text) {
    SetForegroundWindow(window);
    WaitUntil([window] { return GetForegroundWindow() == window; }, 2000);
    for (const wchar_t unit : text) {
        INPUT inputs[2] = {};
        for (INPUT& input : inputs) {
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = unit;
            input.ki.dwFlags = KEYEVENTF_UNICODE;
        }
        inputs[1].ki.dwFlags |= KEYEVENTF_KEYUP;
        if (SendInput(2, inputs, sizeof(INPUT)) != 2) {
            throw std::runtime_error("SendInput failed: error " + std::to_string(GetLastError()));
        }
        Sleep(10);
    }
}

void SendMouse(HWND window, const std::vector<MouseStep>& steps, bool rightButton) {
    SetForegroundWindow(window);
    WaitUntil([window] { return GetForegroundWindow() == window; }, 2000);
    std::vector<INPUT> inputs;
    for (const MouseStep& step : steps) {
        AddMouseMoveTo(inputs, step.point);
        if (step.click) {
            AddMouseInput(inputs, rightButton ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
            AddMouseInput(inputs, rightButton ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP);
        }
    }
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
        throw std::runtime_error("SendInput failed: error " + std::to_string(GetLastError()));
    }
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

HWND FileNameField(HWND dialog) {
    // Explorer-style dialogs name it in a combo box (cmb13), older ones in
    // an edit control (edt1).
    HWND field = GetDlgItem(dialog, cmb13);
    if (field && ClassOf(field) != "Edit") {
        HWND edit = FindChild(field, "Edit");
        if (edit) return edit;
    }
    return field ? field : GetDlgItem(dialog, edt1);
}

RunningProgram::RunningProgram(const std::string& exePath, const std::vector<std::string>& arguments,
                               const std::string& workingDir) {
    std::string commandLine = "\"" + exePath + "\"";
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    std::wstring wideLine = qm::Widen(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(qm::Widen(exePath).c_str(), wideLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        qm::Widen(workingDir).c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start " + exePath + ": error " + std::to_string(GetLastError()));
    }
    process_ = info.hProcess;
    thread_ = info.hThread;
    processId_ = info.dwProcessId;
}

RunningProgram::~RunningProgram() {
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(thread_);
    CloseHandle(process_);
}

bool RunningProgram::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool RunningProgram::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = 0;
    if (!GetExitCodeProcess(process_, &code)) throw std::runtime_error("GetExitCodeProcess failed");
    return code;
}

std::vector<HWND> RunningProgram::Windows() const {
    std::vector<HWND> windows;
    EnumState state;
    state.all = &windows;
    state.accept = [this](HWND window) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        return owner == processId_ && IsWindowVisible(window);
    };
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&state));
    return windows;
}

HWND RunningProgram::FindWindowByCaption(const std::string& caption, const std::string& className) const {
    for (HWND window : Windows()) {
        if (!className.empty() && !SameTextIgnoringCase(ClassOf(window), className)) continue;
        wchar_t text[256] = {};
        // The caption of a top-level window is known to the system; no
        // message to the (perhaps busy) program is needed.
        GetWindowTextW(window, text, 256);
        if (caption == qm::Narrow(text)) return window;
    }
    return nullptr;
}

HWND RunningProgram::WaitForWindow(const std::string& caption, DWORD timeoutMs, const std::string& className) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindWindowByCaption(caption, className);
            return found != nullptr || !Running();
        },
        timeoutMs);
    return found;
}

bool RunningProgram::WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([window] { return !IsWindow(window) || !IsWindowVisible(window); }, timeoutMs);
}

bool RunningProgram::MenuOpen() const {
    for (HWND window : Windows()) {
        if (ClassOf(window) == "#32768") return true;
    }
    return false;
}

void RunningProgram::TypeChars(HWND edit, const std::string& text) {
    for (char c : text) SendWithTimeout(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

bool RunningProgram::ClickButton(HWND dialog, const std::string& caption) {
    HWND button = FindChild(dialog, "Button", [&](HWND b) { return TextOf(b) == caption; });
    if (!button) return false;
    // Posted: the click may end a dialog and run on into other dialogs
    // before the program's message loop answers again.
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

void RunningProgram::ChooseMenuItem(HWND window, const std::string& menu, const std::string& item) const {
    PressKey(window, AccessKey(menu), true);
    if (!WaitUntil([this] { return MenuOpen(); }, 1500)) {
        // Cancelled as it opened (see ChooseMenuItemUntil): once more. A
        // second key reaching a menu that is open after all only beeps.
        PressKey(window, AccessKey(menu), true);
        if (!WaitUntil([this] { return MenuOpen(); }, 3000)) throw std::runtime_error(menu + " did not open");
    }
    // The open menu reads the keys of its thread, whichever window they name.
    PressKey(window, AccessKey(item));
    if (!WaitUntil([this] { return !MenuOpen(); }, 3000)) throw std::runtime_error(item + " did not close the menu");
}

void RunningProgram::ChooseMenuItemUntil(HWND window, const std::string& menu, const std::string& item,
                                         const std::function<bool()>& done, DWORD timeoutMs) const {
    const DWORD start = GetTickCount();
    auto timeLeft = [&] { return GetTickCount() - start < timeoutMs; };
    for (int attempt = 0; attempt < 3 && timeLeft(); ++attempt) {
        // A modal window still open (or closing) keeps the window disabled.
        WaitUntil([&] { return IsWindowEnabled(window) && !MenuOpen(); }, timeoutMs);
        PressKey(window, AccessKey(menu), true);
        if (!WaitUntil([this] { return MenuOpen(); }, 1500)) {
            if (done()) return;
            continue;  // opened and cancelled at once, or not opened: again
        }
        PressKey(window, AccessKey(item));
        DWORD quietSince = GetTickCount();
        while (timeLeft()) {
            if (done()) return;
            if (MenuOpen() || !IsWindowEnabled(window)) {
                quietSince = GetTickCount();  // the menu or the command is still at work
            } else if (GetTickCount() - quietSince > 1000) {
                break;  // the menu went without the command: the key was lost
            }
            Sleep(20);
        }
        if (MenuOpen()) {
            PressKey(window, VK_ESCAPE);
            PressKey(window, VK_ESCAPE);
            WaitUntil([this] { return !MenuOpen(); }, 1000);
        }
    }
    if (!done()) throw std::runtime_error(menu + " > " + item + " did not do its work");
}

HWND RunningProgram::ChooseMenuItemOpening(HWND window, const std::string& menu, const std::string& item,
                                           const std::string& caption, DWORD timeoutMs,
                                           const std::string& className) const {
    HWND opened = nullptr;
    ChooseMenuItemUntil(
        window, menu, item,
        [&] {
            opened = FindWindowByCaption(caption, className);
            return opened != nullptr;
        },
        timeoutMs);
    return opened;
}

RECT RunningProgram::TabRect(HWND tabStrip, int index) const {
    RemoteBuffer remote(process_, sizeof(RECT));
    // TCM_GETITEMRECT is not copied between processes either.
    if (!SendWithTimeout(tabStrip, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(remote.Address()))) {
        throw std::runtime_error("no tab " + std::to_string(index));
    }
    RECT rect{};
    SIZE_T read = 0;
    if (!ReadProcessMemory(process_, remote.Address(), &rect, sizeof rect, &read) || read != sizeof rect) {
        throw std::runtime_error("ReadProcessMemory failed: " + std::to_string(GetLastError()));
    }
    MapWindowPoints(tabStrip, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string RunningProgram::StatusText(HWND statusBar, int panel) const {
    const LRESULT info = SendTimed(true, statusBar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(panel), 0);
    const size_t length = LOWORD(info);
    RemoteBuffer remote(process_, (length + 1) * sizeof(wchar_t));
    // SB_GETTEXT is not copied between processes: the program writes into
    // memory of its own, read back here.
    SendTimed(true, statusBar, SB_GETTEXTW, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(remote.Address()));
    return ReadRemoteText(remote.Address(), length);
}

std::string RunningProgram::TabText(HWND tabStrip, int index) const {
    constexpr size_t kRoom = 512;
    RemoteBuffer remote(process_, sizeof(TCITEMW) + kRoom * sizeof(wchar_t));
    auto* text = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.Address()) + sizeof(TCITEMW));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = kRoom;
    SIZE_T written = 0;
    if (!WriteProcessMemory(process_, remote.Address(), &item, sizeof item, &written) || written != sizeof item) {
        throw std::runtime_error("WriteProcessMemory failed: " + std::to_string(GetLastError()));
    }
    if (!SendTimed(true, tabStrip, TCM_GETITEMW, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(remote.Address()))) {
        throw std::runtime_error("no tab " + std::to_string(index));
    }
    std::string name = ReadRemoteText(text, kRoom - 1);
    return name.substr(0, name.find('\0'));
}

std::string RunningProgram::ReadRemoteText(const void* address, size_t length) const {
    std::wstring text(length, L'\0');
    SIZE_T read = 0;
    const SIZE_T size = length * sizeof(wchar_t);
    if (!ReadProcessMemory(process_, address, text.data(), size, &read) || read != size) {
        throw std::runtime_error("ReadProcessMemory failed: " + std::to_string(GetLastError()));
    }
    return qm::Narrow(text);
}

}  // namespace qmtest
