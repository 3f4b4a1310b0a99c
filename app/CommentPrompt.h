// The prompt of "Make a comment": caption "Comment....", the prompt "Type
// the comment here", one empty line of at most 255 characters, OK and
// Cancel. Modal; it passes through the dialog seam.
#pragma once

#include <windows.h>

#include <string>

namespace qm {

inline constexpr int kCommentMaxLength = 255;

// True with the typed line (UTF-8) when the user pressed OK. The line takes
// at most 255 UTF-16 units.
bool RunCommentPrompt(HWND owner, std::string& comment);

}  // namespace qm
