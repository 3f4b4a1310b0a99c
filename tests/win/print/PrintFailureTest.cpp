// What goes wrong around a print job, each on the real printer: no printer
// at all, a second OK while a job runs, OK after the last document closed,
// the spooler failing in the middle of a job, the printer removed.
#include <gtest/gtest.h>

#include "PrintFixture.h"
#include "TestSupport.h"
#include "resources/resource.h"
#include "ui/SystemError.h"

namespace {

using qm::DialogKind;
using qmtest::PdfOutput;

std::string Lines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Line " + std::to_string(i) + "\r\n";
    return text;
}

class NoPrinter : public qmtest::PrintFormTest {};

// Runs while no queue exists at all.
TEST_F(NoPrinter, OkReportsItAndLeavesTheDialogAsItWas) {
    StartWith("text\r\n");
    EXPECT_EQ(Form().StatusBar1.PanelText(0), "No printer installed");
    OpenPrintDialog();
    EXPECT_EQ(Label(IDC_PRINT_LABEL2), "No printer installed");
    Click("Smal font size");
    dialogs.Expect(DialogKind::Error, "No printer is installed.", qm::DialogAnswer::Ok);
    Click("OK");
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_TRUE(Print().Visible());
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    EXPECT_EQ(Label(IDC_PRINT_LABEL1), "Untitled");
    EXPECT_TRUE(SmallFontTicked());
}

class PrintFailure : public qmtest::PrintFormTest {};

TEST_F(PrintFailure, SecondOkWhileAJobRunsIsRefusedAndTheFirstGoesOn) {
    StartWith(Lines(100));
    OpenPrintDialog();
    PdfOutput output;
    // The click waits in the queue; the spooler's abort procedure handles it
    // while the first job runs.
    HWND ok = GetDlgItem(Print().Handle(), IDOK);
    PostMessageA(ok, BM_CLICK, 0, 0);
    dialogs.Expect(DialogKind::Error, "Printing in progress", qm::DialogAnswer::Ok);
    SendMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_TRUE(dialogs.AllAnswered());
    const std::string pdf = output.WaitForNew();
    ASSERT_FALSE(pdf.empty());
    const std::string text = PdfOutput::Text(pdf);
    EXPECT_NE(text.find("Line 1\n"), std::string::npos);
    EXPECT_NE(text.find("Line 100\n"), std::string::npos);
    EXPECT_TRUE(output.NothingCame(2000)) << "one job only";
}

TEST_F(PrintFailure, OkAfterTheLastDocumentClosedEndsTheOpenedJobWithoutOutput) {
    StartWith("some text\r\n");
    Form().CurrentEditor().SetModified(false);
    OpenPrintDialog();
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(TabCount(), 0);
    PdfOutput output;
    dialogs.Expect(DialogKind::Error, "List index out of bounds (-1)", qm::DialogAnswer::Ok);
    Click("OK");
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    EXPECT_FALSE(qm::TPrinterJob::Printing());
    EXPECT_TRUE(output.NothingCame());
}

TEST_F(PrintFailure, SpoolerErrorInTheMiddleAbortsTheJobWithTheSystemText) {
    StartWith(Lines(200));
    OpenPrintDialog();
    static int pages;
    pages = 0;
    struct FailingSpooler {
        static int WINAPI EndPage(HDC dc) {
            if (++pages == 2) {
                SetLastError(ERROR_DISK_FULL);
                return 0;
            }
            return ::EndPage(dc);
        }
    };
    qm::SpoolerCalls().EndPage = FailingSpooler::EndPage;
    PdfOutput output;
    dialogs.Expect(DialogKind::Error, "", qm::DialogAnswer::Ok);
    Click("OK");
    ASSERT_TRUE(dialogs.AllAnswered());
    const std::string message = dialogs.Texts(DialogKind::Error).at(0);
    EXPECT_EQ(message, "The printer PDF cannot finish a page: " + qm::SystemErrorText(ERROR_DISK_FULL));
    EXPECT_TRUE(Print().Visible()) << "the dialog stays for another try";
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    EXPECT_EQ(ProgressPosition(), 0);
    EXPECT_TRUE(output.NothingCame());

    // The program goes on: the next job prints.
    qm::SpoolerCalls() = savedSpooler;
    Click("OK");
    EXPECT_FALSE(Print().Visible());
    EXPECT_FALSE(output.WaitForNew().empty());
}

TEST_F(PrintFailure, PrinterRemovedDuringTheJob) {
    StartWith(Lines(3));
    dialogs.Expect(DialogKind::PrinterSetup, "PDF", qm::DialogAnswer::Ok, "PDF2");
    OpenPrintDialog();
    Click("&Setup");
    qmtest::PumpFor(300);
    EXPECT_EQ(Label(IDC_PRINT_LABEL2), "PDF2");
    struct RemovingSpooler {
        static int WINAPI EndDoc(HDC dc) {
            qmtest::PrintServer("remove", "PDF2");
            return ::EndDoc(dc);
        }
    };
    qm::SpoolerCalls().EndDoc = RemovingSpooler::EndDoc;
    dialogs.Expect(DialogKind::Error, "", qm::DialogAnswer::Ok);
    Click("OK");
    qmtest::PrintServer("add", "PDF2");
    ASSERT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(dialogs.Texts(DialogKind::Error).at(0).rfind("The printer PDF2 cannot finish the print job", 0), 0u)
        << dialogs.Texts(DialogKind::Error).at(0);
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    EXPECT_FALSE(qm::TPrinterJob::Printing());
    // Back to the default for the tests that follow.
    dialogs.Expect(DialogKind::PrinterSetup, "PDF2", qm::DialogAnswer::Ok, "PDF");
    Click("&Setup");
}

}  // namespace
