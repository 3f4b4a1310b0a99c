// The browser preview and the FTP program: external programs started with
// a command line, without waiting for them.
#include <windows.h>

#include "app/CommandText.h"
#include "app/MainForm.h"
#include "ui/MessageBoxes.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr char kApps[] = "Apps";

// Starts the program at `program` with `argument` (none when empty) in a
// normally shown window, without waiting for it. The program is named to the
// system on its own and quoted on the command line, so that no other program
// (C:\my.exe for C:\my tools\viewer.exe) runs in its place. A program that
// cannot start is not reported.
void StartProgram(const std::string& program, const std::string& argument = {}) {
    if (program.empty()) return;
    const std::wstring application = Widen(program);
    std::wstring line = Widen(ProgramCommandLine(program, argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(application.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

}  // namespace

void TForm1::ToolButton17Click() { StartProgram(IniFile->ReadText(kApps, "Ftp", "")); }

void TForm1::ToolButton20Click() {
    // Whether the document is saved is decided now, not at the last tick.
    Timer2Timer();
    if (FileSaved) {
        StartProgram(IniFile->ReadText(kApps, "brow", ""), CurrentPath());
        return;
    }
    if (Confirm(Handle(), "You have to save the file first! Want to do it now, and open it in your browser?",
                false) != DialogAnswer::Yes) {
        return;
    }
    // A save declined or cancelled leaves the file as it was: no preview of it.
    const bool saved = Save1Click();
    const std::string path = CurrentPath();
    if (!saved || !DocumentFileExists(path)) {
        ShowMessage(Handle(), "The file wasn`t saved!");
        return;
    }
    StartProgram(IniFile->ReadText(kApps, "brow", ""), path);
}

}  // namespace qm
