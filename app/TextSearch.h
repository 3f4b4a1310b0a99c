// Searching a document's text (UTF-16). Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "editor/UndoHistory.h"

namespace qm {

// The letter in its case-folded form, for every letter of the Basic
// Multilingual Plane that has one ("Ä" and "ä" give "ä", "Ё" and "ё" give
// "ё", "Σ", "σ" and "ς" give "σ"); any other unit comes back unchanged.
char16_t FoldLetterCase(char16_t c);

// The first position at or after `from` where `what` stands in `text`, or
// -1 when there is none (also for an empty `what` or `from` past the end).
// Without `matchCase`, letters match regardless of their case.
long long FindInText(std::u16string_view text, std::u16string_view what, size_t from, bool matchCase);

// The last position where `what` stands wholly before `before` (so a hit
// ends at or before it), or -1.
long long FindLastInText(std::u16string_view text, std::u16string_view what, size_t before, bool matchCase);

// Every occurrence of `what` replaced by `with`, from the start on, without
// overlaps: the new text and the changes that make it from the old one, in
// order (each change's offset is where it stands in the new text).
struct TReplacement {
    std::u16string Text;
    std::vector<TTextChange> Changes;
};
TReplacement ReplaceAllInText(std::u16string_view text, std::u16string_view what, std::u16string_view with,
                              bool matchCase);

}  // namespace qm
