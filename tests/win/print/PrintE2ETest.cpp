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

}  // namespace
