// The lines a print job takes from an editor's text. Window-free.
#pragma once

#include <string_view>
#include <vector>

namespace qm {

// The lines of the text as the editor counts them: split at CR LF, with no
// empty line after a final CR LF; an empty text has no lines. The views point
// into `text`.
std::vector<std::u16string_view> EditorLines(std::u16string_view text);

}  // namespace qm
