// The open-file and save-file dialogs. They pass through the dialog seam.
// Names and texts are UTF-8.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace qm {

class TFileDialog {
public:
    explicit TFileDialog(bool save) : save_(save) {}

    std::string Filter;      // "description|pattern|description|pattern..."
    std::string DefaultExt;  // added to a typed name without extension
    int FilterIndex = 1;     // the file type selected (1-based)
    std::string FileName;    // the chosen name after Execute
    std::string Title;       // empty: the system's title

    // The user picked another file type while the dialog is open.
    std::function<void()> OnTypeChange;

    // Runs the dialog; true when a name was chosen (in FileName).
    bool Execute(HWND owner);

private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam, LPARAM lParam);
    bool save_;
};

// "a|b|c" -> "a\0b\0c\0\0", the form the system's dialogs take.
std::wstring NativeFilter(const std::string& filter);

}  // namespace qm
