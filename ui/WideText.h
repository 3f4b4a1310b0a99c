// The platform's wide strings (UTF-16 wchar_t) from and to the program's
// UTF-8 strings.
#pragma once

#include <string>
#include <string_view>

#include "ui/Utf.h"

namespace qm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is UTF-16");

// The same UTF-16 text seen as the platform's type and as the program's.
inline std::wstring_view AsWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}
inline std::u16string_view AsUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

inline std::wstring Widen(std::string_view utf8) {
    const std::u16string wide = Utf8ToUtf16(utf8);
    return std::wstring(wide.begin(), wide.end());
}

inline std::string Narrow(std::wstring_view wide) { return Utf16ToUtf8(AsUtf16(wide)); }

}  // namespace qm
