#include "MemoHost.h"

#include <cstring>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "TestSupport.h"
#include "app/HtmlColorRules.h"
#include "ui/Font.h"
#include "ui/Gdi.h"
#include "ui/WideText.h"

namespace qmtest {

// The main window's rules, in colours that are easy to tell apart on screen.
void AddEditorRules(qm::TDrawRules& rules, int tagKeyMaxHeight) {
    qm::AddHtmlColorRules(rules);
    const int first = rules.Count() - 3;
    rules.Items(first).KeyMaxHeight = tagKeyMaxHeight;
    rules.Items(first).DefKeyColor = kTag;
    rules.Items(first + 1).DefKeyColor = kQuoted;
    rules.Items(first + 2).DefKeyColor = kComment;
}

MemoHost::MemoHost(int clientWidth, int clientHeight) {
    CreateWindowOfClass("QuillmereMemoHost", "Editor test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 0, 40,
                        40, nullptr, nullptr);
    RECT frame{0, 0, clientWidth + 40, clientHeight + 40};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    qm::TColorMemo& memo = AddMemo(0, 0, clientWidth, clientHeight);
    SetClientSize(memo, clientWidth, clientHeight);
    Settle(memo);
}

MemoHost::~MemoHost() {
    memos_.clear();
    Destroy();
    PumpMessages();
}

qm::TColorMemo& MemoHost::AddMemo(int left, int top, int width, int height) {
    auto memo = std::make_unique<qm::TColorMemo>(Handle(), 100 + static_cast<int>(memos_.size()));
    memo->SetBounds(left, top, width, height);
    memo->SetColor(qm::clWhite);
    qm::TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -13;
    font.Color = qm::clBlack;
    memo->SetFont(font);
    AddEditorRules(memo->ColorRules());
    memos_.push_back(std::move(memo));
    return *memos_.back();
}

void MemoHost::SetClientSize(qm::TColorMemo& memo, int width, int height) {
    RECT client;
    GetClientRect(memo.Handle(), &client);
    memo.SetBounds(memo.Left(), memo.Top(), width + memo.Width() - client.right, height + memo.Height() - client.bottom);
}

COLORREF Ref(qm::TColor color) { return qm::ToColorRef(color); }

POINT CharPos(HWND edit, int offset) {
    const LRESULT position = SendMessageA(edit, EM_POSFROMCHAR, static_cast<WPARAM>(offset), 0);
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

int LineHeight(qm::TColorMemo& memo) {
    qm::WindowDC dc(memo.Handle());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(memo.Handle(), WM_GETFONT, 0, 0));
    qm::SelectedObject selected(dc.Get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.Get(), &metrics);
    return metrics.tmHeight;
}

RECT CharsRect(qm::TColorMemo& memo, int from, int to) {
    const POINT first = CharPos(memo.Handle(), from);
    const POINT after = CharPos(memo.Handle(), to + 1);
    return RECT{first.x, first.y, after.x, first.y + LineHeight(memo)};
}

int Find(qm::TColorMemo& memo, const std::wstring& part, int from) {
    const size_t at = memo.Text().find(part, static_cast<size_t>(from));
    if (at == std::wstring::npos) throw std::runtime_error("not in the text: " + qm::Narrow(part));
    return static_cast<int>(at);
}

void Settle(qm::TColorMemo& memo) {
    PumpMessages();
    UpdateWindow(memo.Handle());
    PumpMessages();
}

namespace {

void Send(std::vector<INPUT>& inputs) {
    if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) != inputs.size()) {
        throw std::runtime_error("SendInput failed: error " + std::to_string(GetLastError()));
    }
    inputs.clear();
    // Wine hands the events on through the X server: give them time to come back.
    PumpFor(150);
}

void AddKey(std::vector<INPUT>& inputs, WORD key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
}

}  // namespace

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD key : keys) AddKey(inputs, key, false);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) AddKey(inputs, *key, true);
    Send(inputs);
}

void Click(HWND window, POINT client, Button button, std::initializer_list<WORD> held, bool twice) {
    POINT screen = client;
    ClientToScreen(window, &screen);
    std::vector<INPUT> inputs;
    AddMouseMoveTo(inputs, screen);
    Send(inputs);
    const DWORD down = button == Button::Left    ? MOUSEEVENTF_LEFTDOWN
                       : button == Button::Right ? MOUSEEVENTF_RIGHTDOWN
                                                 : MOUSEEVENTF_MIDDLEDOWN;
    const DWORD up = button == Button::Left    ? MOUSEEVENTF_LEFTUP
                     : button == Button::Right ? MOUSEEVENTF_RIGHTUP
                                               : MOUSEEVENTF_MIDDLEUP;
    for (WORD key : held) AddKey(inputs, key, false);
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        AddMouseInput(inputs, down);
        AddMouseInput(inputs, up);
    }
    for (auto key = std::rbegin(held); key != std::rend(held); ++key) AddKey(inputs, *key, true);
    Send(inputs);
}

void SetClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) throw std::runtime_error("cannot open the clipboard");
    EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (memory) {
        void* to = GlobalLock(memory);
        std::memcpy(to, text.c_str(), bytes);
        GlobalUnlock(memory);
        if (!SetClipboardData(CF_UNICODETEXT, memory)) GlobalFree(memory);
    }
    CloseClipboard();
}

}  // namespace qmtest
