// The real quillmere.exe with two cups-pdf printers, driven as a user would:
// the printer set-up dialog by the File menu's access keys opens on the
// printer chosen before, the status bar and the print dialog name it, and
// the job goes to it.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <regex>

#include "PrintSupport.h"
#include "RunningProgram.h"
#include "TestSupport.h"

namespace {

using qmtest::PdfOutput;
using qmtest::RunningProgram;
using qmtest::SendWithTimeout;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kStepTimeoutMs = 8000;

class PrintE2E : public ::testing::Test {
protected:
    void Start(const std::string& text) {
        const std::string file = dir_.File("page.htm");
        qmtest::WriteBytes(file, text);
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH),
                                                    std::vector<std::string>{file}, dir_.Path());
        qmtest::WaitUntil(
            [&] {
                main_ = program_->FindWindowByCaption("Quillmere");
                if (main_ && !qmtest::FindChild(main_, WC_TABCONTROLA)) main_ = nullptr;
                return main_ != nullptr || !program_->Running();
            },
            kStartTimeoutMs);
        ASSERT_NE(main_, nullptr);
    }
    std::string Panel0() const {
        return program_->StatusText(qmtest::FindChild(main_, STATUSCLASSNAMEA), 0);
    }
    bool PanelBecomes(const std::string& text) const {
        return qmtest::WaitUntil([&] { return Panel0() == text; }, kStepTimeoutMs);
    }
    // The printer combo box of an open set-up dialog.
    HWND SetupDialogCombo(HWND* dialog) const {
        HWND combo = nullptr;
        qmtest::WaitUntil(
            [&] {
                for (HWND window : program_->Windows()) {
                    if (qmtest::ClassOf(window) != "#32770") continue;
                    combo = qmtest::FindChild(window, "ComboBox", [](HWND c) {
                        return SendWithTimeout(c, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>("PDF2")) >= 0;
                    });
                    if (combo) {
                        *dialog = window;
                        return true;
                    }
                }
                return false;
            },
            kStepTimeoutMs);
        return combo;
    }
    // The orientation button of the set-up dialog (rad2 of <dlgs.h>).
    static HWND Landscape(HWND dialog) { return GetDlgItem(dialog, 0x0421); }
    void Choose(const std::string& menu, const std::string& item) {
        ASSERT_NO_THROW(program_->ChooseMenuItem(main_, menu, item)) << menu << " > " << item;
    }

    qmtest::TempDir dir_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

TEST_F(PrintE2E, SetupDialogOpensOnThePrinterChosenBeforeAndTheJobGoesThere) {
    Start("<html>\r\nprinted on the second printer\r\n</html>\r\n");
    ASSERT_TRUE(PanelBecomes("PDF")) << Panel0();

    Choose("&File", "Printer Set&up...");
    HWND dialog = nullptr;
    HWND combo = SetupDialogCombo(&dialog);
    ASSERT_NE(combo, nullptr) << "no set-up dialog with the printers";
    EXPECT_EQ(qmtest::TextOf(combo), "PDF") << "first the default printer";
    SendWithTimeout(combo, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>("PDF2"));
    SendWithTimeout(dialog, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
                    reinterpret_cast<LPARAM>(combo));
    HWND landscape = Landscape(dialog);
    ASSERT_NE(landscape, nullptr);
    SendWithTimeout(landscape, BM_CLICK, 0, 0);
    ASSERT_TRUE(RunningProgram::ClickButton(dialog, "OK"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs));
    EXPECT_TRUE(PanelBecomes("PDF2")) << Panel0();

    // Again: the dialog shows the printer chosen, and Cancel keeps it.
    Choose("&File", "Printer Set&up...");
    combo = SetupDialogCombo(&dialog);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(qmtest::TextOf(combo), "PDF2");
    EXPECT_EQ(SendWithTimeout(Landscape(dialog), BM_GETCHECK, 0, 0), BST_CHECKED) << "and its orientation";
    ASSERT_TRUE(RunningProgram::ClickButton(dialog, "Cancel"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs));
    qmtest::PumpFor(300);
    EXPECT_EQ(Panel0(), "PDF2");

    Choose("&File", "&Print...");
    HWND print = program_->WaitForWindow("Print...", kStepTimeoutMs);
    ASSERT_NE(print, nullptr);
    EXPECT_NE(qmtest::FindChild(print, "Static", [](HWND s) { return qmtest::TextOf(s) == "PDF2"; }), nullptr)
        << "the dialog names the printer";
    EXPECT_NE(qmtest::FindChild(print, "Static", [](HWND s) { return qmtest::TextOf(s) == "page.htm"; }), nullptr);
    PdfOutput output;
    ASSERT_TRUE(RunningProgram::ClickButton(print, "OK"));
    const std::string pdf = output.WaitForNew();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PdfOutput::QueueOf(pdf), "PDF2") << pdf;
    // cups-pdf keeps the sheet upright and turns a landscape page.
    const std::string info = qmtest::UnixOutput("pdfinfo '" + pdf + "'");
    EXPECT_TRUE(std::regex_search(info, std::regex("Page rot: +90"))) << info;
    EXPECT_NE(PdfOutput::Text(pdf).find("printed on the second printer"), std::string::npos);
    EXPECT_TRUE(RunningProgram::WaitForWindowGone(print, kStepTimeoutMs));
}

// The print dialog by keyboard alone: Tab walks its controls, Escape hides
// it without a job, Alt+S opens the set-up dialog (Escape brings the focus
// back), Enter prints.
TEST_F(PrintE2E, PrintDialogWorksByKeyboard) {
    Start("<html>\r\nprinted by keyboard\r\n</html>\r\n");
    ASSERT_TRUE(PanelBecomes("PDF")) << Panel0();
    auto press = [](HWND dialog, WORD key, bool alt = false) {
        HWND focus = qmtest::FocusOf(dialog);
        qmtest::PressKey(focus && IsChild(dialog, focus) ? focus : dialog, key, alt);
    };
    auto focusBecomes = [](HWND dialog, HWND control) {
        return qmtest::WaitUntil([&] { return qmtest::FocusOf(dialog) == control; }, kStepTimeoutMs);
    };

    Choose("&File", "&Print...");
    HWND print = program_->WaitForWindow("Print...", kStepTimeoutMs);
    ASSERT_NE(print, nullptr);
    HWND ok = GetDlgItem(print, IDOK);
    HWND cancel = GetDlgItem(print, IDCANCEL);
    HWND setup = qmtest::FindChild(print, "Button", [](HWND b) { return qmtest::TextOf(b) == "&Setup"; });
    HWND checkBox = qmtest::FindChild(print, "Button", [](HWND b) { return qmtest::TextOf(b) == "Smal font size"; });
    ASSERT_TRUE(ok && cancel && setup && checkBox);
    // The tab order of the resource: check box, OK, Cancel, Setup, round.
    const HWND order[] = {checkBox, ok, cancel, setup};
    int at = -1;
    ASSERT_TRUE(qmtest::WaitUntil(
        [&] {
            for (int i = 0; i < 4; ++i)
                if (qmtest::FocusOf(print) == order[i]) at = i;
            return at >= 0;
        },
        kStepTimeoutMs))
        << "a control of the dialog has the focus";
    for (int step = 1; step <= 4; ++step) {
        press(print, VK_TAB);
        HWND next = order[(at + step) % 4];
        EXPECT_TRUE(focusBecomes(print, next)) << "Tab to " << qmtest::TextOf(next);
    }

    {
        PdfOutput output;
        press(print, VK_ESCAPE);
        EXPECT_TRUE(qmtest::WaitUntil([&] { return !IsWindowVisible(print); }, kStepTimeoutMs))
            << "Escape hides the dialog";
        EXPECT_TRUE(output.NothingCame(3000)) << "and prints nothing";
    }

    Choose("&File", "&Print...");
    print = program_->WaitForWindow("Print...", kStepTimeoutMs);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(qmtest::WaitUntil([&] { return IsChild(print, qmtest::FocusOf(print)); }, kStepTimeoutMs));
    press(print, 'S', true);
    HWND setupDialog = program_->WaitForWindow("Print Setup", kStepTimeoutMs, "#32770");
    ASSERT_NE(setupDialog, nullptr) << "Alt+S opens the set-up dialog";
    press(setupDialog, VK_ESCAPE);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(setupDialog, kStepTimeoutMs)) << "Escape closes it";
    EXPECT_TRUE(qmtest::WaitUntil([&] { return IsChild(print, qmtest::FocusOf(print)); }, kStepTimeoutMs))
        << "the focus is back in the print dialog";

    // Enter from the check box presses the default button, OK.
    for (int i = 0; i < 4 && qmtest::FocusOf(print) != checkBox; ++i) {
        press(print, VK_TAB);
        qmtest::PumpFor(100);
    }
    ASSERT_EQ(qmtest::FocusOf(print), checkBox);
    PdfOutput output;
    press(print, VK_RETURN);
    const std::string pdf = output.WaitForNew(20000);
    ASSERT_FALSE(pdf.empty()) << "Enter prints";
    EXPECT_NE(PdfOutput::Text(pdf).find("printed by keyboard"), std::string::npos);
}

}  // namespace
