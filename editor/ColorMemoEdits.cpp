// TColorMemo: the changes the control sees coming. Typing into a long line
// would otherwise copy all of the line out of the native control again,
// scan it from its start and measure it from its start at every character.
// A change is taken only when the native control's answers after it are
// exactly those the change gives; anything else makes the next paint copy
// the lines again (and compare the copy with the last one).
#include <algorithm>

#include "editor/ColorMemo.h"
#include "editor/TextUnits.h"

namespace qm {

bool TColorMemo::ReportsChanges(UINT message) {
    switch (message) {
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_CHAR: case WM_SYSCHAR: case WM_DEADCHAR: case WM_SYSDEADCHAR:
        return true;
    default:
        return false;
    }
}

// A character typed into the selection or at the caret; Backspace takes the
// selection or the character before the caret. A character outside the
// Basic Multilingual Plane comes as two messages, one per half of its pair;
// each is expected as the native control takes it, one unit (Wine's) or,
// if it waits for the second half, not at all, so that the copy is made
// again.
void TColorMemo::ExpectTyped(WPARAM character) {
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const auto start = static_cast<int32_t>(selStart), end = static_cast<int32_t>(selEnd);
    if (character == VK_BACK) {
        if (end > start) {
            Expect(start, end - start, {});
        } else if (start > 0) {
            Expect(start - 1, 1, {});
        }
        return;
    }
    if (character > 0xFFFF || (character < 0x20 && character != '\t') || character == 0x7F) return;
    const auto typed = static_cast<char16_t>(character);
    Expect(start, end - start, std::u16string_view(&typed, 1));
}

// Delete takes the selection or the character after the caret.
void TColorMemo::ExpectDeleted() {
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const auto start = static_cast<int32_t>(selStart), end = static_cast<int32_t>(selEnd);
    Expect(start, std::max(end - start, 1), {});
}

// Only a change inside one copied line of the current copy is expected (a
// line break taken or typed changes the lines), and never with word wrap,
// where a change may move the lines' soft breaks.
void TColorMemo::Expect(int32_t at, int32_t removed, std::u16string_view inserted) {
    expected_.Pending = false;
    if (wordWrap_ || readOnly_ || !text_.Holds(textVersion_)) return;
    const int index = text_.LineAt(at);
    if (index < 0) return;
    const TCopiedLine& line = text_.Lines()[static_cast<size_t>(index)];
    if (int64_t{at} + removed > int64_t{line.Start} + line.Length) return;
    expected_.Pending = true;
    expected_.At = at;
    expected_.Removed = removed;
    expected_.Inserted.assign(inserted);
    expected_.Line = line.Line;
    expected_.LineStart = line.Start;
    expected_.LineLength = line.Length - removed + static_cast<int32_t>(inserted.size());
    expected_.LineCount = static_cast<int32_t>(edit_.Send(EM_GETLINECOUNT));
}

// At the change notification: the expected change, if the native control
// shows it, goes into the copy and what was found from the copy.
void TColorMemo::TakeExpectedChange() {
    if (!expected_.Pending) return;
    expected_.Pending = false;
    const TExpectedChange& change = expected_;
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const int32_t caret = change.At + static_cast<int32_t>(change.Inserted.size());
    const bool shown = static_cast<int32_t>(selStart) == caret && static_cast<int32_t>(selEnd) == caret &&
                       edit_.Send(EM_GETLINECOUNT) == change.LineCount &&
                       edit_.LineIndex(change.Line) == change.LineStart &&
                       edit_.Send(EM_LINELENGTH, static_cast<WPARAM>(change.LineStart)) == change.LineLength;
    if (!shown || !text_.Apply(change.At, change.Removed, change.Inserted, textVersion_)) return;

    painter_.Resume.Edited(change.At);
    const auto delta = static_cast<int32_t>(change.Inserted.size()) - change.Removed;
    for (size_t i = 0; i < text_.Lines().size() && i < lineWidths_.size(); ++i) {
        const TCopiedLine& line = text_.Lines()[i];
        if (line.Line == change.Line) {
            lineWidths_[i].Widths.Changed(text_.LineText(line), static_cast<size_t>(change.At - line.Start));
        } else {
            lineWidths_[i].Widths.Moved(text_.LineText(line));
        }
    }
    // A long line the native control could not lay out still cannot; other
    // verdicts of the changed line are found again.
    std::erase_if(verdicts_, [&](TLayoutVerdict& verdict) {
        if (verdict.Start > change.LineStart) verdict.Start += delta;
        if (verdict.Line != change.Line) return false;
        verdict.Length += delta;
        return !verdict.Own || verdict.Length < kStaysUnlaid;
    });
}

std::array<char16_t, 4> TColorMemo::UnitsAround(int32_t at) {
    std::array<char16_t, 4> units{};
    auto fill = [&](std::u16string_view line, int64_t column) {
        for (int64_t i = 0; i < 4; ++i) {
            const int64_t c = column - 2 + i;
            if (c >= 0 && c < static_cast<int64_t>(line.size())) units[static_cast<size_t>(i)] = line[static_cast<size_t>(c)];
        }
    };
    // From the copy of the lines when it holds the place, else from the
    // line up to two units after it.
    if (text_.Holds(textVersion_)) {
        const int index = text_.LineAt(at);
        if (index >= 0) {
            const TCopiedLine& line = text_.Lines()[static_cast<size_t>(index)];
            if (at <= line.Start + line.Length) {
                fill(text_.LineText(line), at - line.Start);
                return units;
            }
        }
    }
    const int32_t line = edit_.LineFromChar(at);
    const int32_t start = edit_.LineIndex(line);
    if (start < 0 || at < start) return units;
    const int32_t room = std::min(edit_.LineLength(start), at - start + 2);
    if (room <= 0) return units;
    std::u16string copied(static_cast<size_t>(room) + 1, u'\0');
    const int32_t got = edit_.GetLine(line, copied.data(), room);
    fill(std::u16string_view(copied.data(), static_cast<size_t>(got)), at - start);
    return units;
}

void TColorMemo::KeepPairsWhole(TPairEdit edit) {
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    auto start = static_cast<int32_t>(selStart), end = static_cast<int32_t>(selEnd);
    std::array<char16_t, 4> around = UnitsAround(start);
    auto inside = [](const std::array<char16_t, 4>& units) {
        return IsHighSurrogate(units[1]) && IsLowSurrogate(units[2]);
    };
    if (start == end) {
        if (inside(around)) {
            start = end = start + 1;
            around = UnitsAround(start);
        }
        if (edit == TPairEdit::Backspace && IsHighSurrogate(around[0]) && IsLowSurrogate(around[1])) start -= 2;
        if (edit == TPairEdit::Delete && IsHighSurrogate(around[2]) && IsLowSurrogate(around[3])) end += 2;
    } else {
        if (inside(around)) --start;
        if (inside(UnitsAround(end))) ++end;
    }
    if (start != static_cast<int32_t>(selStart) || end != static_cast<int32_t>(selEnd)) {
        edit_.Send(EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
    }
}

void TColorMemo::StepOutOfPair(bool forward) {
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    if (selStart != selEnd) return;
    const std::array<char16_t, 4> around = UnitsAround(static_cast<int32_t>(selStart));
    if (!IsHighSurrogate(around[1]) || !IsLowSurrogate(around[2])) return;
    const DWORD caret = forward ? selStart + 1 : selStart - 1;
    edit_.Send(EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

}  // namespace qm
