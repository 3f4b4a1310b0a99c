// The lines one paint of the editor control scans, copied out of the native
// EDIT control: the lines from the scan start on, as far as the scan limit,
// and the character before them. Nothing else is asked for, so a paint costs
// the same in a long document as in a short one (apart from what the native
// control itself spends finding a line). Window-free: the native control is
// reached through TEditLines.
//
// Every line's start is asked for. It cannot be derived from the line before
// (its start, its length and a line break of two characters): a line break
// may also be a lone line feed or CR CR LF (the native control breaks lines
// there too), and one of each between two lines cancel out, so that not even
// a check at the last line would see that the lines between are one off.
//
// A paint right after another one over the same text and lines (the paint
// cycle after a repaint the control made itself) uses the same copy. A
// change the control saw happen inside one copied line (a typed character,
// a Backspace) is made to the copy too (Apply), so that typing into a long
// line does not copy all of it again. A new copy is compared with the one
// before it: ChangedFrom says from where on the text may have changed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "editor/ScanSnapshot.h"

namespace qm {

// What the editor control counts while it colours. The benchmark and the
// tests read it; nothing in the control depends on it.
struct TColorMemoStats {
    uint64_t RedrawCalls = 0;         // RedrawColors calls
    uint64_t CaretLineOnlyCalls = 0;  // ... of them with CaretLineOnly
    uint64_t Paints = 0;              // calls that coloured (the others had nothing to do)
    uint64_t Queries = 0;             // messages sent to the native control while colouring
    uint64_t CopiedChars = 0;         // characters (UTF-16 units) copied out of it while colouring
    uint64_t CoreTicks = 0;           // performance-counter ticks spent scanning and merging
    uint64_t ColourTicks = 0;         // ... spent colouring in all (copying, scanning, drawing)
};

// What the copy asks of the native control.
class TEditLines {
public:
    virtual ~TEditLines() = default;
    // Offset of the line's first character; -1 past the last line (EM_LINEINDEX).
    virtual int32_t LineIndex(int32_t line) const = 0;
    // Length, without its line break, of the line holding the offset (EM_LINELENGTH).
    virtual int32_t LineLength(int32_t offset) const = 0;
    // Copies at most `room` characters of the line, without its line break,
    // and returns how many (EM_GETLINE).
    virtual int32_t GetLine(int32_t line, char16_t* to, int32_t room) const = 0;
    // Copies the first characters of the text, at most size - 1 of them, and
    // a zero; returns how many (WM_GETTEXT).
    virtual int32_t GetText(char16_t* to, int32_t size) const = 0;
    virtual TColorMemoStats& Stats() const = 0;
};

// Where a paint looks.
struct TReadPlan {
    int32_t StartLine = 0;       // first line scanned
    int32_t FirstLine = 0;       // first line tested against the client area
    int32_t Count = 0;           // lines tested at most
    int32_t EditLineCount = 0;   // EM_GETLINECOUNT
    bool SkipEmptyLastLine = false;  // an empty last line of the edit control is no line of the text
    int32_t TopLine = 0;         // first visible line
    int32_t FormatTop = 0;       // client y of the top line
    int32_t LineHeight = 1;
    int32_t ClientBottom = 0;
    bool WordWrap = false;       // lines may also end without a line break

    bool operator==(const TReadPlan&) const = default;
};

struct TCopiedLine {
    int32_t Line;    // line number
    int32_t Start;   // offset of its first character
    int32_t Length;  // characters, without the line break
};

class TMemoText {
public:
    static constexpr int32_t kLineChunk = 65535;  // what one EM_GETLINE can copy
    static constexpr int32_t kShortLine = 1024;   // the room a line gets first

    explicit TMemoText(const TEditLines& edit) : edit_(edit) {}
    TMemoText(const TMemoText&) = delete;
    TMemoText& operator=(const TMemoText&) = delete;

    // Copies the lines of the plan and returns the snapshot the core scans.
    // The copy is used again, without asking the native control anything,
    // while the plan and the text's version stay the same.
    TScanSnapshot Read(const TReadPlan& plan, uint64_t textVersion);
    // The next Read copies again.
    void Forget() { haveCopy_ = false; }
    // Whether the copy stands for the text of this version.
    bool Holds(uint64_t textVersion) const { return haveCopy_ && copiedVersion_ == textVersion; }
    // The control saw the text change inside the copy: `removed` characters
    // at offset `at` replaced by `inserted`, all within one copied line and
    // no line break among them. The copy takes the change and stands for the
    // text of `textVersion`; false (and the copy is forgotten) for a change
    // it cannot take.
    bool Apply(int32_t at, int32_t removed, std::u16string_view inserted, uint64_t textVersion);
    // After a Read that copied anew: the first offset from which the text may
    // differ from the copy before (INT32_MAX: the same text as far as both
    // copies go, and they end alike).
    int32_t ChangedFrom() const { return changedFrom_; }
    // Changes with every new copy (the lines' texts may have moved).
    uint64_t Generation() const { return generation_; }

    const TReadPlan& Plan() const { return plan_; }
    const std::vector<TCopiedLine>& Lines() const { return lines_; }
    std::u16string_view LineText(const TCopiedLine& line) const {
        return std::u16string_view(buffer_.data() + (line.Start - base_), static_cast<size_t>(line.Length));
    }
    // Index in Lines() of the copied line that holds the offset (in its text
    // or its line break), -1 when the offset lies before them.
    int LineAt(int32_t offset) const;
    // Offset of the first character of the line, when this paint knows it.
    int32_t KnownStart(int32_t line) const;
    // Start of the copied line on which a caret at `offset` stands, or -1.
    int32_t CaretLineStart(int32_t offset) const;
    // Client y of a line.
    int32_t LineY(int32_t line) const;

private:
    void ReadLines();
    bool CopiesAlike(const TReadPlan& plan) const;
    int32_t FirstDifference(int32_t previousBase, int32_t previousEnd) const;
    int32_t StartOf(int32_t line) const;
    int32_t CopyLine(int32_t line, int32_t start);
    int32_t GetLine(int32_t line, int32_t room);
    int32_t CopyLongLine(int32_t start, int32_t length);
    char16_t CharBefore(int32_t start);
    void AppendBreak(int32_t length);
    char16_t* Room(size_t characters);
    int32_t End() const { return base_ + static_cast<int32_t>(used_); }

    const TEditLines& edit_;
    TReadPlan plan_;
    bool haveCopy_ = false;
    uint64_t copiedVersion_ = 0;
    uint64_t generation_ = 0;
    std::vector<char16_t> buffer_;
    std::vector<char16_t> previous_;  // the copy before the last one
    int32_t changedFrom_ = 0;
    std::vector<char16_t> prefix_;  // the text up to the end of a long line
    size_t used_ = 0;
    std::vector<TCopiedLine> lines_;
    int32_t base_ = 0, scanFrom_ = 0, scanLimit_ = 0;
    int32_t limitLine_ = -1, limitStart_ = 0;      // the line whose start ends the scan
};

}  // namespace qm
