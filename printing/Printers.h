// The current printer: the system's default until the user picks another in
// the printer set-up dialog; then the printer chosen there, with the paper
// and orientation chosen there, for every later job and every later showing
// of the set-up dialog.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm {

// The current printer's name (UTF-8), or "" when no printer is installed.
std::string CurrentPrinterName();
// The settings chosen for the current printer in the set-up dialog (a whole
// DEVMODEW, driver part included); empty: the printer's own defaults.
const std::vector<unsigned char>& CurrentPrinterSettings();
// What the status bar shows when there is no printer.
inline constexpr const char* kNoPrinterText = "No printer installed";

// Runs the printer set-up dialog (modal), opened on the current printer and
// its settings; what is chosen there becomes current. Returns true when the
// user confirmed.
bool RunPrinterSetupDialog(HWND owner);

}  // namespace qm
