// Searching a document's text (UTF-16). Window-free.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm {

// The letter in its case-folded form, for every letter of the Basic
// Multilingual Plane that has one ("Ä" and "ä" give "ä", "Ё" and "ё" give
// "ё", "Σ", "σ" and "ς" give "σ"); any other unit comes back unchanged.
char16_t FoldLetterCase(char16_t c);

// The first position at or after `from` where `what` stands in `text`, or
// -1 when there is none (also for an empty `what` or `from` past the end).
// Without `matchCase`, letters match regardless of their case.
long long FindInText(std::u16string_view text, std::u16string_view what, size_t from, bool matchCase);

}  // namespace qm
