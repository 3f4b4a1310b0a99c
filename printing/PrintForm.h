// The print dialog `TForm2` ("Print..."): names the document and the printer,
// offers the printer set-up dialog and the small-font choice, and prints the
// current document as plain text with its progress line by line. Created at
// start-up, hidden, shown by the main window's Print command.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <type_traits>

#include "caption/GradientCaption.h"
#include "ui/DialogForm.h"
#include "ui/Gdi.h"

namespace qm {

class TForm1;

class TForm2 : public TDialogForm {
public:
    explicit TForm2(TForm1& main);

    // The printer label `Label2`, kept in step with the main window's status bar.
    void SetPrinterLabel(const std::string& text);
    std::string PrinterLabel() const;

    // Shows the dialog: FormShow runs first when it was hidden.
    void Show() override;

    // OK: prints the document of the tab current now, then closes.
    void BitBtn1Click();
    // Cancel.
    void BitBtn2Click() { Close(); }
    // Any closing: FormClose, then the dialog is hidden.
    void Close();
    // Setup: the printer set-up dialog; the dialog stays open.
    void BitBtn3Click();

    void FormShow();
    void FormClose();

protected:
    void Created() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

public:
    std::unique_ptr<TGradientCaption> GradientCaption1;

private:
    void ShowSetupGlyph();

    struct ImageListDeleter {
        void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
    };

    TForm1& main_;
    Font labelFont_;  // bold italic
    std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, ImageListDeleter> setupGlyph_;
};

}  // namespace qm
