// A main window with its print dialog in the test's own process, on the
// real printers of the print server.
#pragma once

#include <memory>
#include <string>

#include "MainFormFixture.h"
#include "PrintSupport.h"
#include "printing/PrintForm.h"
#include "printing/PrinterJob.h"

namespace qmtest {

class PrintFormTest : public MainFormTest {
public:
    ~PrintFormTest() override;

    // Starts with one document holding `text` (UTF-8) and the print dialog made.
    void StartWith(const std::string& text);
    qm::TForm2& Print() { return *print_; }
    // File > Print; the dialog must come up.
    void OpenPrintDialog();
    // Clicks a button of the print dialog by its caption (the click runs to
    // its end, a whole print job for OK).
    void Click(const std::string& caption);
    std::string Label(int id) const;
    int ProgressPosition() const;
    bool SmallFontTicked() const;

    // The spooler functions as they were, back when the test ends.
    qm::TSpoolerCalls savedSpooler = qm::SpoolerCalls();

private:
    std::unique_ptr<qm::TForm2> print_;
};

}  // namespace qmtest
