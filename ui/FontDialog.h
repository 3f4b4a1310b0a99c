// The system's font dialog. It passes through the dialog seam.
#pragma once

#include <windows.h>

#include "ui/Font.h"

namespace qm {

class TFontDialog {
public:
    // The font the dialog opens with; after Execute the one chosen (face,
    // size, style and colour).
    TFont Font;

    // Runs the dialog (modal); true when a font was chosen (in Font).
    bool Execute(HWND owner);
};

}  // namespace qm
