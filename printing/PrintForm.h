// The print dialog `TForm2`: created at start-up, hidden, shown by Print.
#pragma once

#include <string>

#include "ui/Form.h"

namespace qm {

class TForm2 : public TForm {
public:
    explicit TForm2(HWND owner) : TForm(owner, "Print", 300, 160) {}

    // The printer label, kept in step with the main window's status bar.
    void SetPrinterLabel(const std::string& text) { label2_ = text; }
    const std::string& PrinterLabel() const { return label2_; }

private:
    std::string label2_;
};

}  // namespace qm
