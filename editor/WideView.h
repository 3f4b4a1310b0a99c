// The editor's UTF-16 text (char16_t) seen as the platform's wide characters
// (wchar_t, UTF-16 on Windows) and back, without copying.
#pragma once

#include <string_view>

namespace qm {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wchar_t is UTF-16");

inline std::wstring_view AsWide(std::u16string_view text) {
    return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

inline std::u16string_view AsUtf16(std::wstring_view text) {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

}  // namespace qm
