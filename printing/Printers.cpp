#include "printing/Printers.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cstring>

#include "ui/DialogSeam.h"
#include "ui/Errors.h"
#include "ui/WideText.h"

namespace qm {

namespace {

std::string g_chosenPrinter;                // empty: the system's default
std::vector<unsigned char> g_chosenSettings;  // DEVMODEW of g_chosenPrinter

std::string DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return {};
    std::vector<wchar_t> name(size + 1, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size)) return {};
    return Narrow(name.data());
}

// Global memory handed to or back from the print dialog, freed at the end.
class GlobalMemory {
public:
    GlobalMemory() = default;
    ~GlobalMemory() {
        if (handle_) GlobalFree(handle_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    HGLOBAL& Handle() { return handle_; }

    // A block holding these bytes; false when there is no memory for it.
    bool Fill(const void* bytes, size_t size) {
        handle_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        if (!handle_) return false;
        void* target = GlobalLock(handle_);
        if (!target) return false;
        std::memcpy(target, bytes, size);
        GlobalUnlock(handle_);
        return true;
    }

private:
    HGLOBAL handle_ = nullptr;
};

// A DEVNAMES block naming the printer, for the dialog to open on (offsets
// in characters, the names wide).
bool FillDeviceNames(GlobalMemory& memory, const std::string& printer) {
    const std::wstring name = Widen(printer);
    constexpr size_t header = (sizeof(DEVNAMES) + sizeof(wchar_t) - 1) / sizeof(wchar_t);
    std::vector<wchar_t> block(header + name.size() + 3, L'\0');
    auto* names = reinterpret_cast<DEVNAMES*>(block.data());
    // Driver and port are left empty: the printer's name says enough.
    names->wDeviceOffset = static_cast<WORD>(header);
    names->wDriverOffset = static_cast<WORD>(header + name.size() + 1);
    names->wOutputOffset = static_cast<WORD>(header + name.size() + 2);
    std::copy(name.begin(), name.end(), block.begin() + static_cast<ptrdiff_t>(header));
    return memory.Fill(block.data(), block.size() * sizeof(wchar_t));
}

}  // namespace

std::string CurrentPrinterName() {
    if (!g_chosenPrinter.empty()) return g_chosenPrinter;
    return DefaultPrinterName();
}

const std::vector<unsigned char>& CurrentPrinterSettings() { return g_chosenSettings; }

bool RunPrinterSetupDialog(HWND owner) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::PrinterSetup;
        request.text = CurrentPrinterName();
        DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok) return false;
        if (!response.fileName.empty() && response.fileName != g_chosenPrinter) {
            g_chosenPrinter = response.fileName;
            g_chosenSettings.clear();
        }
        return true;
    }
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_PRINTSETUP;
    GlobalMemory devMode;
    GlobalMemory devNames;
    // Opened on the printer chosen last, with its paper and orientation;
    // without these the dialog would show the default printer, and OK would
    // quietly switch back to it.
    if (!g_chosenPrinter.empty()) {
        if (!FillDeviceNames(devNames, g_chosenPrinter)) throw Error("Not enough memory for the printer set-up dialog.");
        if (!g_chosenSettings.empty() && !devMode.Fill(g_chosenSettings.data(), g_chosenSettings.size())) {
            throw Error("Not enough memory for the printer set-up dialog.");
        }
    }
    dialog.hDevMode = devMode.Handle();
    dialog.hDevNames = devNames.Handle();
    const BOOL chosen = PrintDlgW(&dialog);
    // The dialog may have replaced the blocks: free what it hands back.
    devMode.Handle() = dialog.hDevMode;
    devNames.Handle() = dialog.hDevNames;
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) throw Error("No printer is installed.");
        if (error == PDERR_PRINTERNOTFOUND) throw Error("The printer " + g_chosenPrinter + " is not installed any more.");
        if (error != 0) throw Error("The printer set-up dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    std::string printer;
    if (devNames.Handle()) {
        if (auto* names = static_cast<const DEVNAMES*>(GlobalLock(devNames.Handle()))) {
            printer = Narrow(reinterpret_cast<const wchar_t*>(names) + names->wDeviceOffset);
            GlobalUnlock(devNames.Handle());
        }
    }
    std::vector<unsigned char> settings;
    if (devMode.Handle()) {
        if (auto* mode = static_cast<const DEVMODEW*>(GlobalLock(devMode.Handle()))) {
            const size_t size = std::min<size_t>(GlobalSize(devMode.Handle()), mode->dmSize + mode->dmDriverExtra);
            const auto* bytes = reinterpret_cast<const unsigned char*>(mode);
            settings.assign(bytes, bytes + size);
            GlobalUnlock(devMode.Handle());
        }
    }
    if (!printer.empty()) {
        g_chosenPrinter = printer;
        g_chosenSettings = std::move(settings);
    }
    return true;
}

}  // namespace qm
