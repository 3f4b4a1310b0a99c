#include "ui/MessageBoxes.h"

#include <algorithm>
#include <vector>

#include "ui/Application.h"
#include "ui/Gdi.h"
#include "ui/WideText.h"

namespace qm {

namespace {

DialogResponse AskScript(DialogKind kind, const std::string& caption, const std::string& text,
                         bool withCancel, bool* answered) {
    DialogScript* script = CurrentDialogScript();
    *answered = script != nullptr;
    if (!script) return {};
    DialogRequest request;
    request.kind = kind;
    request.caption = caption;
    request.text = text;
    request.withCancel = withCancel;
    return script->Answer(request);
}

// The confirmation dialog is built at run time: a template without items,
// whose controls are made and laid out when it opens.
struct ConfirmState {
    std::wstring text;
    bool withCancel;
};

constexpr int kIdIcon = 100;
constexpr int kIdText = 101;

HWND MakeChild(HWND dialog, const wchar_t* cls, const wchar_t* text, DWORD style, int id, HFONT font) {
    HWND child = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 GetModuleHandleW(nullptr), nullptr);
    if (child) SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

void LayOutConfirm(HWND dialog, const ConfirmState& state) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    MakeChild(dialog, L"STATIC", L"", SS_ICON, kIdIcon, font);
    SendDlgItemMessageW(dialog, kIdIcon, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, MAKEINTRESOURCEW(32514))), 0);
    MakeChild(dialog, L"STATIC", state.text.c_str(), SS_LEFT | SS_NOPREFIX, kIdText, font);
    MakeChild(dialog, L"BUTTON", L"&Yes", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDYES, font);
    MakeChild(dialog, L"BUTTON", L"&No", BS_PUSHBUTTON | WS_TABSTOP, IDNO, font);
    if (state.withCancel) MakeChild(dialog, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, font);

    // Measure the text in the dialog's font.
    RECT textRect{0, 0, 360, 0};
    {
        WindowDC dc(dialog);
        SelectedObject keep(dc.Get(), font);
        DrawTextW(dc.Get(), state.text.c_str(), -1, &textRect, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }
    const int margin = 12, iconSize = 32, buttonW = 75, buttonH = 23, gap = 8;
    const int buttons = state.withCancel ? 3 : 2;
    const int buttonsW = buttons * buttonW + (buttons - 1) * gap;
    const int textX = margin + iconSize + margin;
    const int clientW = std::max(textX + static_cast<int>(textRect.right) + margin, buttonsW + 2 * margin);
    const int bodyH = std::max(iconSize, static_cast<int>(textRect.bottom));
    const int clientH = margin + bodyH + margin + buttonH + margin;

    SetWindowPos(GetDlgItem(dialog, kIdIcon), nullptr, margin, margin, iconSize, iconSize, SWP_NOZORDER);
    SetWindowPos(GetDlgItem(dialog, kIdText), nullptr, textX, margin + (bodyH - textRect.bottom) / 2,
                 textRect.right, textRect.bottom, SWP_NOZORDER);
    int x = (clientW - buttonsW) / 2;
    const int y = margin + bodyH + margin;
    for (int id : {IDYES, IDNO, IDCANCEL}) {
        HWND button = GetDlgItem(dialog, id);
        if (!button) continue;
        SetWindowPos(button, nullptr, x, y, buttonW, buttonH, SWP_NOZORDER);
        x += buttonW + gap;
    }

    RECT frame{0, 0, clientW, clientH};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
    const int w = frame.right - frame.left, h = frame.bottom - frame.top;
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    SetWindowPos(dialog, nullptr, area.left + (area.right - area.left - w) / 2,
                 area.top + (area.bottom - area.top - h) / 2, w, h, SWP_NOZORDER);
    SetFocus(GetDlgItem(dialog, IDYES));
}

INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<ConfirmState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            LayOutConfirm(dialog, *state);
            MessageBeep(MB_ICONQUESTION);
            return FALSE;  // focus set by the layout
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (id == IDYES || id == IDNO || id == IDCANCEL) {
                auto* state = reinterpret_cast<ConfirmState*>(GetWindowLongPtrW(dialog, DWLP_USER));
                // Escape and the close box arrive as IDCANCEL.
                int result = id;
                if (id == IDCANCEL && state && !state->withCancel) result = IDNO;
                EndDialog(dialog, result);
                return TRUE;
            }
            break;
        }
        default:
            break;
        }
    } catch (...) {
        EndDialog(dialog, IDCANCEL);
    }
    return FALSE;
}

// A dialog template without items: caption "Confirm", the shell dialog font.
std::vector<WORD> ConfirmTemplate() {
    std::vector<WORD> t;
    auto putDword = [&t](DWORD v) {
        t.push_back(LOWORD(v));
        t.push_back(HIWORD(v));
    };
    auto putText = [&t](const wchar_t* s) {
        do t.push_back(static_cast<WORD>(*s)); while (*s++);
    };
    putDword(DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU);  // style
    putDword(0);                                                               // extended style
    t.push_back(0);                                                            // items
    t.push_back(0); t.push_back(0); t.push_back(100); t.push_back(50);         // x y cx cy
    t.push_back(0);                                                            // no menu
    t.push_back(0);                                                            // default class
    putText(L"Confirm");
    t.push_back(8);                                                            // point size
    putText(L"MS Shell Dlg");
    return t;
}

}  // namespace

void ShowMessage(HWND owner, const std::string& text) {
    bool answered = false;
    AskScript(DialogKind::Message, Application().Title(), text, false, &answered);
    if (answered) return;
    MessageBoxW(owner, Widen(text).c_str(), Widen(Application().Title()).c_str(), MB_OK);
}

DialogAnswer Confirm(HWND owner, const std::string& text, bool withCancel) {
    bool answered = false;
    DialogResponse response = AskScript(DialogKind::Confirm, "Confirm", text, withCancel, &answered);
    if (answered) {
        if (!withCancel && response.answer == DialogAnswer::Cancel) return DialogAnswer::No;
        return response.answer;
    }
    ConfirmState state{Widen(text), withCancel};
    std::vector<WORD> dialogTemplate = ConfirmTemplate();
    INT_PTR result = DialogBoxIndirectParamW(GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                             ConfirmProc, reinterpret_cast<LPARAM>(&state));
    switch (result) {
    case IDYES: return DialogAnswer::Yes;
    case IDNO: return DialogAnswer::No;
    default: return withCancel ? DialogAnswer::Cancel : DialogAnswer::No;
    }
}

void ShowErrorBox(HWND owner, const std::string& text) {
    bool answered = false;
    AskScript(DialogKind::Error, Application().Title(), text, false, &answered);
    if (answered) return;
    MessageBoxW(owner, Widen(text).c_str(), Widen(Application().Title()).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace qm
