// The about box `TForm5`: created at start-up, hidden, shown by About. Its
// two link labels hand their address to the shell.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "caption/GradientCaption.h"
#include "ui/DialogForm.h"
#include "ui/Gdi.h"

namespace qm {

// Hands `target` to the shell to be opened with its default verb (through
// the dialog seam when a script is installed).
void ShellOpen(HWND owner, const std::string& target);

class TForm5 : public TDialogForm {
public:
    explicit TForm5(HWND owner);
    ~TForm5() override;

    void Show() override;
    void FormShow();
    void Label1Click();
    void Label2Click();
    void BitBtn1Click();

    std::string ProductName() const;

    std::unique_ptr<TGradientCaption> GradientCaption1;

protected:
    void Created() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void AddHint(int id, const char* text);
    void ShowCreditPicture();
    void FitLinksToText();

    qm::Font productFont_;
    qm::Font boldFont_;
    qm::Font linkFont_;
    qm::Font memoFont_;
    Brush memoBrush_;
    Bitmap creditPicture_;
    HWND hints_ = nullptr;
};

}  // namespace qm
