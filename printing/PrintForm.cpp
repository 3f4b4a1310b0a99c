#include "printing/PrintForm.h"

#include <commctrl.h>

#include <algorithm>

#include "app/MainForm.h"
#include "ui/WideText.h"
#include "printing/PrintText.h"
#include "printing/PrinterJob.h"
#include "printing/Printers.h"
#include "resources/resource.h"
#include "ui/Font.h"
#include "ui/SystemError.h"
#include "ui/WaitCursor.h"

namespace qm {

namespace {

constexpr int kOuterWidth = 295;
constexpr int kOuterHeight = 169;
constexpr const char* kNotStarted = "Not started yet";

}  // namespace

TForm2::TForm2(TForm1& main) : main_(main) { CreateFromTemplate(main.Handle(), IDD_PRINT); }

void TForm2::Created() {
    GradientCaption1 = std::make_unique<TGradientCaption>(Handle());
    ConfigureProgramCaption(*GradientCaption1, "Print...");
    SetWindowPos(Handle(), nullptr, 0, 0, kOuterWidth, kOuterHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TFont font;
    font.Bold = true;
    font.Italic = true;
    labelFont_ = CreateGdiFont(font);
    for (int id : {IDC_PRINT_LABEL1, IDC_PRINT_LABEL2, IDC_PRINT_LABEL6}) {
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(labelFont_.Get()), FALSE);
    }
    SendMessageW(Item(IDC_PRINT_PROGRESS1), PBM_SETRANGE32, 0, 100);
    ShowSetupGlyph();
}

// "&Setup" carries a printer of its own beside its caption.
void TForm2::ShowSetupGlyph() {
    setupGlyph_.reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SETUP), 16, 0,
                                           RGB(255, 0, 255), IMAGE_BITMAP, LR_CREATEDIBSECTION));
    if (!setupGlyph_) ThrowLastError("Cannot load the picture of the set-up button");
    BUTTON_IMAGELIST glyph{};
    glyph.himl = setupGlyph_.get();
    glyph.margin = RECT{2, 0, 0, 0};
    glyph.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    // Common controls older than version 6 refuse; the caption stays alone.
    SendMessageW(Item(IDC_PRINT_SETUP), BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&glyph));
}

void TForm2::SetPrinterLabel(const std::string& text) { SetItemText(IDC_PRINT_LABEL2, text); }

std::string TForm2::PrinterLabel() const { return ItemText(IDC_PRINT_LABEL2); }

void TForm2::FormShow() {
    const int index = main_.CurrentIndex();
    SetItemText(IDC_PRINT_LABEL1, index >= 0 && index < main_.TN1.Tabs().Count() ? main_.TN1.Tabs().Tab(index) : "");
    SetPrinterLabel(main_.StatusBar1.PanelText(0));
}

void TForm2::FormClose() {
    SetItemText(IDC_PRINT_LABEL1, "");
    SetItemText(IDC_PRINT_LABEL2, "");
    SetItemText(IDC_PRINT_LABEL6, kNotStarted);
    SendMessageW(Item(IDC_PRINT_PROGRESS1), PBM_SETPOS, 0, 0);
    CheckDlgButton(Handle(), IDC_PRINT_CHECKBOX1, BST_UNCHECKED);
}

void TForm2::Show() {
    if (!Visible()) FormShow();
    TDialogForm::Show();
    // The user starts where the dialog kept the focus, or at OK.
    if (!IsChild(Handle(), GetFocus())) SetFocus(Item(IDOK));
}

void TForm2::Close() {
    FormClose();
    Hide();
}

bool TForm2::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_CLOSE) {
        Close();
        return true;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDOK: BitBtn1Click(); return true;
        case IDCANCEL: BitBtn2Click(); return true;
        case IDC_PRINT_SETUP: BitBtn3Click(); return true;
        default: break;
        }
    }
    return TDialogForm::HandleMessage(message, wParam, lParam, result);
}

void TForm2::BitBtn1Click() {
    HWND progress = Item(IDC_PRINT_PROGRESS1);
    TPrinterJob job;  // refused, with nothing changed, when it cannot start
    SetItemText(IDC_PRINT_LABEL6, "Printing...");
    try {
        WaitCursor wait;
        // The text of the tab current now, fetched whole at once: asking the
        // edit control for one line after another costs time in proportion
        // to the text before each line.
        const std::wstring text = main_.CurrentEditor().Text();
        const std::vector<std::u16string_view> lines = EditorLines(AsUtf16(text));
        const int count = static_cast<int>(lines.size());
        SendMessageW(progress, PBM_SETRANGE32, 0, std::max(0, count - 1));
        job.SetFontSize(IsDlgButtonChecked(Handle(), IDC_PRINT_CHECKBOX1) == BST_CHECKED ? 8 : 10);
        // The bar repaints at every new position: it is moved when its fill
        // would grow by a pixel, and at the last line.
        RECT bar{};
        GetClientRect(progress, &bar);
        const int step = std::max(1, count / std::max(1, static_cast<int>(bar.right)));
        for (int i = 0; i < count; ++i) {
            job.Device().Write(lines[static_cast<size_t>(i)]);
            job.Device().Write(u"\r\n");
            if (i % step == 0 || i == count - 1) SendMessageW(progress, PBM_SETPOS, static_cast<WPARAM>(i), 0);
        }
        job.Close();
    } catch (...) {
        // The job is aborted as it goes; the dialog is ready for another try.
        SetItemText(IDC_PRINT_LABEL6, kNotStarted);
        SendMessageW(progress, PBM_SETPOS, 0, 0);
        throw;
    }
    Close();
}

void TForm2::BitBtn3Click() {
    // The main window's set-up dialog, owned by this window so that the user
    // comes back here when it closes.
    RunPrinterSetupDialog(Handle());
    main_.PrinterSetupDialog1Close();
}

}  // namespace qm
