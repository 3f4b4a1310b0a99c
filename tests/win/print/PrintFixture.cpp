#include "PrintFixture.h"

#include <commctrl.h>

#include <commctrl.h>

#include "RunningProgram.h"
#include "resources/resource.h"
#include "ui/WideText.h"

namespace qmtest {

PrintFormTest::~PrintFormTest() {
    qm::SpoolerCalls() = savedSpooler;
    if (print_) Form().SetSecondaryForms(nullptr, nullptr, nullptr);
    print_.reset();
}

void PrintFormTest::StartWith(const std::string& text) {
    Start();
    print_ = std::make_unique<qm::TForm2>(Form());
    Form().SetSecondaryForms(nullptr, print_.get(), nullptr);
    Form().CurrentEditor().SetText(qm::Widen(text));
    Form().Timer1Timer();  // the status bar names the printer
}

void PrintFormTest::OpenPrintDialog() {
    Command(ID_FILE_PRINT);
    PumpMessages();
    ASSERT_TRUE(print_->Visible());
}

void PrintFormTest::Click(const std::string& caption) {
    HWND button = FindChild(print_->Handle(), "Button", [&](HWND b) { return TextOf(b) == caption; });
    ASSERT_NE(button, nullptr) << caption;
    SendMessageA(button, BM_CLICK, 0, 0);
    PumpMessages();
}

std::string PrintFormTest::Label(int id) const { return print_->ItemText(id); }

int PrintFormTest::ProgressPosition() const {
    return static_cast<int>(SendMessageA(print_->Item(IDC_PRINT_PROGRESS1), PBM_GETPOS, 0, 0));
}

bool PrintFormTest::SmallFontTicked() const {
    return IsDlgButtonChecked(print_->Handle(), IDC_PRINT_CHECKBOX1) == BST_CHECKED;
}

}  // namespace qmtest
