// Searching a document's text. Window-free.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm {

// The letter of the system's 8-bit code page (Windows-1252) in lower case;
// any other byte comes back unchanged.
char FoldLetterCase(char c);

// The first position at or after `from` where `what` stands in `text`, or
// -1 when there is none (also for an empty `what` or `from` past the end).
// Without `matchCase`, letters match regardless of their case.
long long FindInText(std::string_view text, std::string_view what, size_t from, bool matchCase);

}  // namespace qm
