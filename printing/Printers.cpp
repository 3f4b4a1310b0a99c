#include "printing/Printers.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <vector>

#include "ui/DialogSeam.h"
#include "ui/Errors.h"

namespace qm {

namespace {
std::string g_chosenPrinter;  // empty: the system's default

std::string DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return {};
    std::vector<char> name(size + 1, '\0');
    if (!GetDefaultPrinterA(name.data(), &size)) return {};
    return name.data();
}

// Frees global memory handed back by the print dialog.
struct GlobalMemory {
    HGLOBAL handle;
    ~GlobalMemory() {
        if (handle) GlobalFree(handle);
    }
};
}  // namespace

std::string CurrentPrinterName() {
    if (!g_chosenPrinter.empty()) return g_chosenPrinter;
    return DefaultPrinterName();
}

bool RunPrinterSetupDialog(HWND owner) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::PrinterSetup;
        request.text = CurrentPrinterName();
        DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok) return false;
        if (!response.fileName.empty()) g_chosenPrinter = response.fileName;
        return true;
    }
    PRINTDLGA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    const BOOL chosen = PrintDlgA(&dialog);
    GlobalMemory devMode{dialog.hDevMode};
    GlobalMemory devNames{dialog.hDevNames};
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) {
            throw Error("No printer is installed.");
        }
        if (error != 0) throw Error("The printer set-up dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    if (devNames.handle) {
        if (auto* names = static_cast<DEVNAMES*>(GlobalLock(devNames.handle))) {
            g_chosenPrinter = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
            GlobalUnlock(devNames.handle);
        }
    }
    return true;
}

}  // namespace qm
