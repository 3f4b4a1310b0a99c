// The system's colour dialog. It passes through the dialog seam.
#pragma once

#include <windows.h>

#include "editor/ColorTypes.h"

namespace qm {

class TColorDialog {
public:
    // The colour the dialog opens with; after Execute the one chosen. A
    // system colour opens the dialog on its current red, green and blue;
    // the dialog always answers with a plain colour.
    TColor Color = clBlack;

    // Runs the dialog (modal); true when a colour was chosen (in Color).
    // The custom colours the user defined stay for the next run.
    bool Execute(HWND owner);

private:
    COLORREF customColors_[16] = {};
};

}  // namespace qm
