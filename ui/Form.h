// A secondary top-level window of the program: created once, hidden, shown
// without being modal, and only hidden again when the user closes it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Window.h"

namespace qm {

class TForm : public TWindow {
public:
    // Creates the window hidden, with the given caption and client size.
    TForm(HWND owner, const std::string& caption, int clientWidth, int clientHeight);

    // Shows the window (or brings it to the front when shown already).
    void Show();
    void Hide();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qm
