#include "app/AboutForm.h"

#include <shellapi.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/DialogSeam.h"
#include "ui/Font.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr int kClientWidth = 413;
constexpr int kClientHeight = 235;

constexpr char kMemoText[] =
    "Dear user,\r\n\r\n"
    "Please write to us and tell us what you think of Quillmere: what you like, what you miss, and your "
    "ideas for the next version.\r\n\r\n"
    "The Quillmere developers\r\n"
    "1 Example Street\r\n"
    "Exampletown EX1 2MP";

}  // namespace

void ShellOpen(HWND owner, const std::string& target) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::ShellOpen;
        request.text = target;
        script->Answer(request);
        return;
    }
    // What the shell answers is not looked at: nothing may be registered.
    ShellExecuteW(owner, nullptr, Widen(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

TForm5::TForm5(HWND owner) {
    CreateFromTemplate(owner, IDD_ABOUT);
    // Enter, Escape and Tab through the dialog manager in the message loop.
    Application().AddModelessWindow(Handle());
}

TForm5::~TForm5() {
    // The picture goes before the window: the control lets go of it first.
    if (HWND picture = GetDlgItem(Handle(), IDC_ABOUT_PICTURE)) SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0);
    Application().RemoveModelessWindow(Handle());
}

void TForm5::Created() {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    TFont product;
    product.Name = "Times New Roman";
    product.Height = -21;
    product.Bold = product.Italic = true;
    productFont_ = CreateGdiFont(product);
    TFont bold;
    bold.Bold = true;
    boldFont_ = CreateGdiFont(bold);
    TFont link;
    link.Name = "Times New Roman";
    link.Height = -13;
    link.Underline = true;
    linkFont_ = CreateGdiFont(link);
    TFont memo;
    memo.Name = "Times New Roman";
    memo.Height = -13;
    memoFont_ = CreateGdiFont(memo);
    memoBrush_.Reset(CreateSolidBrush(ToColorRef(clSilver)));
    SendMessageW(Item(IDC_ABOUT_PRODUCT), WM_SETFONT, reinterpret_cast<WPARAM>(productFont_.Get()), FALSE);
    SendMessageW(Item(IDC_ABOUT_VERSION), WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.Get()), FALSE);
    for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_LABEL2})
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.Get()), FALSE);
    SendMessageW(Item(IDC_ABOUT_MEMO1), WM_SETFONT, reinterpret_cast<WPARAM>(memoFont_.Get()), FALSE);
    SetItemText(IDC_ABOUT_MEMO1, kMemoText);
    ShowCreditPicture();
    FitLinksToText();

    hints_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                             CW_USEDEFAULT, CW_USEDEFAULT, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    AddHint(IDC_ABOUT_LABEL1, "Click here to launch the page in your browser...");
    AddHint(IDC_ABOUT_LABEL2, "Click here to make a mail to me in your e-mail app...");

    GradientCaption1 = std::make_unique<TGradientCaption>(Handle());
    ConfigureProgramCaption(*GradientCaption1, "About");
}

void TForm5::ShowCreditPicture() {
    creditPicture_.Reset(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_CREDIT), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
    if (!creditPicture_.Get()) ThrowLastError("Cannot load the about box's picture");
    // The control keeps showing the picture; the holder frees it with the box.
    SendMessageW(Item(IDC_ABOUT_PICTURE), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(creditPicture_.Get()));
}

// Each link is at least as wide as its address in the link font, so that no
// letter is cut off whatever font the system gives for the face.
void TForm5::FitLinksToText() {
    for (int id : {IDC_ABOUT_LABEL1, IDC_ABOUT_LABEL2}) {
        const HWND label = Item(id);
        const std::wstring text = Widen(ItemText(id));
        SIZE extent{};
        {
            WindowDC dc(label);
            if (!dc) ThrowLastError("Cannot measure the about box's links");
            SelectedObject font(dc.Get(), linkFont_.Get());
            if (!GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &extent)) {
                ThrowLastError("Cannot measure the about box's links");
            }
        }
        RECT bounds{};
        GetWindowRect(label, &bounds);
        if (extent.cx + 1 > bounds.right - bounds.left) {
            SetWindowPos(label, nullptr, 0, 0, extent.cx + 1, bounds.bottom - bounds.top,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

void TForm5::AddHint(int id, const char* text) {
    if (!hints_) return;
    std::wstring wide = Widen(text);
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Item(id));
    tool.lpszText = wide.data();  // the control keeps a copy
    SendMessageW(hints_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void TForm5::Show() {
    const bool wasHidden = !Visible();
    FormShow();
    // Nothing typed into the note is kept: each showing has it whole.
    if (wasHidden) SetItemText(IDC_ABOUT_MEMO1, kMemoText);
    TDialogForm::Show();
    if (!wasHidden) return;
    // The box starts at OK, so that Return and Escape close it; the note
    // shows its first line (the dialog manager may have passed through it
    // and selected it all on the way to OK).
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    const HWND memo = Item(IDC_ABOUT_MEMO1);
    SendMessageW(memo, EM_SETSEL, 0, 0);
    SendMessageW(memo, EM_SCROLLCARET, 0, 0);
}

void TForm5::FormShow() {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLMERE));
    SendMessageW(Item(IDC_ABOUT_IMAGE1), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    SetItemText(IDC_ABOUT_PRODUCT, Application().Title());
}

std::string TForm5::ProductName() const { return ItemText(IDC_ABOUT_PRODUCT); }

void TForm5::Label1Click() { ShellOpen(Handle(), ItemText(IDC_ABOUT_LABEL1)); }

void TForm5::Label2Click() { ShellOpen(Handle(), "mailto:" + ItemText(IDC_ABOUT_LABEL2)); }

void TForm5::BitBtn1Click() { Hide(); }

bool TForm5::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: BitBtn1Click(); result = TRUE; return true;
        case IDC_ABOUT_LABEL1:
            if (HIWORD(wParam) == STN_CLICKED) Label1Click();
            result = TRUE;
            return true;
        case IDC_ABOUT_LABEL2:
            if (HIWORD(wParam) == STN_CLICKED) Label2Click();
            result = TRUE;
            return true;
        default: break;
        }
        break;
    case WM_SETCURSOR: {
        const HWND over = reinterpret_cast<HWND>(wParam);
        if (over == Item(IDC_ABOUT_LABEL1) || over == Item(IDC_ABOUT_LABEL2)) {
            SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HOTSPOT)));
            SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, TRUE);
            result = TRUE;
            return true;
        }
        break;
    }
    case WM_CTLCOLORSTATIC: {
        const HWND control = reinterpret_cast<HWND>(lParam);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (control == Item(IDC_ABOUT_LABEL1) || control == Item(IDC_ABOUT_LABEL2)) {
            SetTextColor(dc, ToColorRef(clBlue));
        } else if (control == Item(IDC_ABOUT_PRODUCT)) {
            SetTextColor(dc, ToColorRef(clBlack));
        } else {
            break;
        }
        SetBkMode(dc, TRANSPARENT);
        result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
        return true;
    }
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == Item(IDC_ABOUT_MEMO1)) {
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, ToColorRef(clNavy));
            SetBkColor(dc, ToColorRef(clSilver));
            result = reinterpret_cast<INT_PTR>(memoBrush_.Get());
            return true;
        }
        break;
    default: break;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam, result);
}

}  // namespace qm
