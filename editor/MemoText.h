// The lines one paint of the editor control scans, copied out of the native
// EDIT control: the lines from the scan start on, as far as the scan limit,
// and the character before them. Nothing else is asked for, so a paint costs
// the same in a long document as in a short one (apart from what the native
// control itself spends finding a line).
//
// Without word wrap every line ends with a line break, and the lines are
// read one after the other with EM_GETLINE: each line's start follows from
// the previous line's start and length. One EM_LINEINDEX at the end checks
// that assumption (a line break of one or three characters breaks it); when
// it fails, and always with word wrap, every line's start is asked for.
//
// A paint right after another one over the same text and lines (the paint
// cycle after a repaint the control made itself) uses the same copy.
#pragma once

#include <windows.h>

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
    uint64_t CopiedChars = 0;         // characters copied out of it while colouring
    uint64_t CoreTicks = 0;           // performance-counter ticks spent scanning and merging
    uint64_t ColourTicks = 0;         // ... spent colouring in all (copying, scanning, drawing)
    uint64_t StartQueries = 0;        // paints that asked for every line's start
};

// Messages to the native control, each one counted in the stats.
class TEditQueries {
public:
    TEditQueries(const HWND& window, TColorMemoStats& stats) : window_(window), stats_(stats) {}

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        ++stats_.Queries;
        return SendMessageA(window_, message, wParam, lParam);
    }
    // Offset of the line's first character; -1 past the last line.
    int32_t LineIndex(int32_t line) const { return static_cast<int32_t>(Send(EM_LINEINDEX, static_cast<WPARAM>(line))); }
    int32_t LineLength(int32_t start) const { return static_cast<int32_t>(Send(EM_LINELENGTH, static_cast<WPARAM>(start))); }
    int32_t LineFromChar(int32_t offset) const {
        return static_cast<int32_t>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(offset)));
    }
    // Client position of a character (16-bit signed coordinates).
    POINT PosFromChar(int32_t offset) const;
    TColorMemoStats& Stats() const { return stats_; }

private:
    const HWND& window_;
    TColorMemoStats& stats_;
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
    bool DeriveStarts = true;    // no word wrap: lines follow each other with a line break

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

    explicit TMemoText(const TEditQueries& edit) : edit_(edit) {}
    TMemoText(const TMemoText&) = delete;
    TMemoText& operator=(const TMemoText&) = delete;

    // Copies the lines of the plan and returns the snapshot the core scans.
    // The copy is used again, without asking the native control anything,
    // while the plan and the text's version stay the same.
    TScanSnapshot Read(const TReadPlan& plan, uint64_t textVersion);
    // The next Read copies again.
    void Forget() { haveCopy_ = false; }
    // Changes with every new copy (the lines' texts may have moved).
    uint64_t Generation() const { return generation_; }

    const TReadPlan& Plan() const { return plan_; }
    const std::vector<TCopiedLine>& Lines() const { return lines_; }
    std::string_view LineText(const TCopiedLine& line) const {
        return std::string_view(buffer_.data() + (line.Start - base_), static_cast<size_t>(line.Length));
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
    bool ReadLines(bool derive);
    int32_t StartOf(int32_t line);
    int32_t CopyLine(int32_t line, int32_t start);
    int32_t CopyLongLine(int32_t start, int32_t length);
    char CharBefore(int32_t start);
    void AppendBreak(int32_t length);
    char* Room(size_t characters);
    int32_t End() const { return base_ + static_cast<int32_t>(used_); }

    const TEditQueries& edit_;
    TReadPlan plan_;
    bool haveCopy_ = false;
    uint64_t copiedVersion_ = 0;
    uint64_t generation_ = 0;
    std::vector<char> buffer_;
    size_t used_ = 0;
    std::vector<TCopiedLine> lines_;
    int32_t base_ = 0, scanFrom_ = 0, scanLimit_ = 0;
    bool derive_ = true;
    int32_t nextStart_ = 0;                      // derived start of the line after the last copied one
    int32_t derivedLine_ = -1, derivedStart_ = 0;  // the last start derived, checked at the end
    int32_t limitLine_ = -1, limitStart_ = 0;      // the line whose start ends the scan
};

}  // namespace qm
