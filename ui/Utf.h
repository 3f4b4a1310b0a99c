// UTF-8 and UTF-16 text. Window-free.
//
// Inside the program, paths and other short texts are UTF-8 in std::string;
// the platform takes and gives UTF-16. Windows file names may hold unpaired
// surrogates; those travel as their three-byte forms (WTF-8), so that every
// name the system gives comes back to it unchanged.
#pragma once

#include <string>
#include <string_view>

namespace qm {

// UTF-16 from UTF-8 (or WTF-8). Bytes that are no UTF-8 become U+FFFD each.
std::u16string Utf8ToUtf16(std::string_view utf8);

// UTF-8 from UTF-16; an unpaired surrogate keeps its three-byte form.
std::string Utf16ToUtf8(std::u16string_view utf16);

// Whether `bytes` are UTF-8 as a file holds it: no cut-off or overlong
// sequences and no surrogates (WTF-8 is not). `multiByte`, when given, tells
// whether any character took more than one byte.
bool IsUtf8(std::string_view bytes, bool* multiByte = nullptr);

}  // namespace qm
