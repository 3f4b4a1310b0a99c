// The prompt of Go To Line: caption "Go To Line", one number field, OK and
// Cancel. Modal.
#pragma once

#include <windows.h>

namespace qm {

// Opens with `line` in the field; true with the number typed when the user
// pressed OK on a number (an empty field counts as Cancel).
bool RunGoToLinePrompt(HWND owner, int& line);

}  // namespace qm
