// The current printer: the system's default until the user picks another in
// the printer set-up dialog.
#pragma once

#include <windows.h>

#include <string>

namespace qm {

// The current printer's name, or "" when no printer is installed.
std::string CurrentPrinterName();
// What the status bar shows when there is no printer.
inline constexpr const char* kNoPrinterText = "No printer installed";

// Runs the printer set-up dialog (modal); a printer chosen there becomes the
// current one. Returns true when the user confirmed.
bool RunPrinterSetupDialog(HWND owner);

}  // namespace qm
