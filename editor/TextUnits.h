// UTF-16 code units as the editor counts characters: a character outside
// the Basic Multilingual Plane is a surrogate pair, two units. Whatever the
// program cuts (keys, runs, printed lines, prompts) is cut between pairs,
// never inside one. Window-free.
#pragma once

#include <cstddef>
#include <string_view>

namespace qm {

inline constexpr bool IsHighSurrogate(char16_t C) { return C >= 0xD800 && C <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(char16_t C) { return C >= 0xDC00 && C <= 0xDFFF; }

// Whether a cut before Text[At] would split a surrogate pair.
inline bool InsidePair(std::u16string_view Text, size_t At) {
    return At > 0 && At < Text.size() && IsHighSurrogate(Text[At - 1]) && IsLowSurrogate(Text[At]);
}

// The first Length units of Text, one fewer when the cut would split a pair.
inline std::u16string_view CutBeforePair(std::u16string_view Text, size_t Length) {
    if (Length >= Text.size()) return Text;
    return Text.substr(0, InsidePair(Text, Length) ? Length - 1 : Length);
}

// The number of units of the character at Text[At]: 2 for a whole pair.
inline size_t UnitsAt(std::u16string_view Text, size_t At) {
    return InsidePair(Text, At + 1) ? 2 : 1;
}

}  // namespace qm
