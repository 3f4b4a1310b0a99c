#include "editor/MemoInput.h"

namespace qm {

namespace {

// The part of the line from the pointed character on, and where it starts in
// the line; nothing when the position is not on the line.
std::optional<size_t> PointedColumn(std::u16string_view Line, int32_t LineStart, int32_t CharPos) {
    const int64_t column = int64_t{CharPos} - LineStart;
    if (column < 0 || column > static_cast<int64_t>(Line.size())) return std::nullopt;
    return static_cast<size_t>(column);
}

bool OverHotSpot(std::u16string_view After, char16_t BeginChar, char16_t EndChar) {
    const size_t end = After.find(EndChar);
    if (end == std::u16string_view::npos) return false;
    const size_t begin = After.find(BeginChar);
    return begin == std::u16string_view::npos || begin > end || BeginChar == EndChar;
}

}  // namespace

bool HotSpotTest(std::u16string_view Line, int32_t LineStart, int32_t CharPos, char16_t BeginChar, char16_t EndChar) {
    const std::optional<size_t> column = PointedColumn(Line, LineStart, CharPos);
    return column && OverHotSpot(Line.substr(*column), BeginChar, EndChar);
}

std::optional<std::u16string> HotSpotClickText(std::u16string_view Line, int32_t LineStart, int32_t CharPos,
                                               char16_t BeginChar, char16_t EndChar) {
    const std::optional<size_t> column = PointedColumn(Line, LineStart, CharPos);
    if (!column) return std::nullopt;
    const std::u16string_view after = Line.substr(*column);
    if (!OverHotSpot(after, BeginChar, EndChar)) return std::nullopt;
    const std::u16string_view tail = after.substr(0, after.find(EndChar));
    const std::u16string_view before = Line.substr(0, *column);
    const size_t begin = before.rfind(BeginChar);
    const std::u16string_view head = begin == std::u16string_view::npos ? before : before.substr(begin + 1);
    std::u16string text;
    text.reserve(head.size() + tail.size());
    text.append(head).append(tail);
    return text;
}

}  // namespace qm
