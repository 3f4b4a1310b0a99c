// The program's message boxes. All of them pass through the dialog seam.
// Texts are UTF-8.
#pragma once

#include <windows.h>

#include <string>

#include "ui/DialogSeam.h"

namespace qm {

// Plain box: the application's title "Quillmere" as caption, the text, OK.
void ShowMessage(HWND owner, const std::string& text);

// Confirmation box: caption "Confirm", a question-mark icon and the buttons
// "&Yes", "&No" and, with withCancel, "Cancel". Escape and the close box count
// as Cancel, or as No where there is no Cancel.
DialogAnswer Confirm(HWND owner, const std::string& text, bool withCancel);

// The central error box: the message, caption "Quillmere", error icon, OK.
void ShowErrorBox(HWND owner, const std::string& text);

}  // namespace qm
