// Decisions of the editor control's input handling that need no window:
// hot-spot tests and clicks, and which lines a text change repaints.
// Window-free.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The smallest value >= Floor whose low 16 bits are Low16. EM_CHARFROMPOS
// answers the line and the offset in 16 bits each; widened from the top line
// and from the line's first character they stay exact past 65535 (for lines
// shorter than 65536 characters and pointed lines within 65536 of the top).
inline int32_t WidenLow16(uint32_t Low16, int32_t Floor) {
    return static_cast<int32_t>(int64_t{Floor} + ((Low16 - static_cast<uint32_t>(Floor)) & 0xFFFFu));
}

// The hot-spot test at a pointed character. Line: the text of the pointed
// line without its line break; LineStart: offset of its first character;
// CharPos: offset of the pointed character. The point is over a hot spot
// when an EndChar follows it on the line (the EndChar itself counts) with no
// BeginChar before that EndChar, or when BeginChar equals EndChar. A
// position outside the line is over nothing.
bool HotSpotTest(std::u16string_view Line, int32_t LineStart, int32_t CharPos, char16_t BeginChar, char16_t EndChar);

// The text a click on a hot spot reports: the part of the hot spot that lies
// on the clicked line, without its markers (from just after the last
// BeginChar before the pointed character, or the line's start, up to the
// EndChar). Nothing when the point is not over a hot spot.
std::optional<std::u16string> HotSpotClickText(std::u16string_view Line, int32_t LineStart, int32_t CharPos,
                                               char16_t BeginChar, char16_t EndChar);

// The number of lines of the control's Lines: the edit control's line count,
// less one when the last line is empty (so an empty control has none).
inline int32_t MemoLineCount(int32_t EditLineCount, int32_t LastLineLength) {
    return LastLineLength == 0 ? EditLineCount - 1 : EditLineCount;
}

// The end of the text as a change sees it: the offset of the first character
// of the last line of Lines plus that line's length; -1 when there are no
// lines.
inline int32_t MemoTextEnd(int32_t LineCount, int32_t LastLineStart, int32_t LastLineLength) {
    return LineCount <= 0 ? -1 : LastLineStart + LastLineLength;
}

// After a text change: only the caret's line is repainted when the number
// of lines stayed and the text grew by exactly one character (one typed
// character); everything else (paste, delete, line break) repaints all
// visible lines.
inline bool CaretLineOnlyAfterChange(int32_t LineCount, int32_t TextEnd, int32_t LastLineCount, int32_t LastTextEnd) {
    return LineCount == LastLineCount && int64_t{TextEnd} == int64_t{LastTextEnd} + 1;
}

// LastLineCount and LastTextEnd of the control, 0 at construction.
struct TTextChangeTracker {
    int32_t LastLineCount = 0;
    int32_t LastTextEnd = 0;

    // Decides as CaretLineOnlyAfterChange, then remembers the new state.
    bool Changed(int32_t LineCount, int32_t TextEnd) {
        const bool caretLineOnly = CaretLineOnlyAfterChange(LineCount, TextEnd, LastLineCount, LastTextEnd);
        LastLineCount = LineCount;
        LastTextEnd = TextEnd;
        return caretLineOnly;
    }
};

}  // namespace qm
