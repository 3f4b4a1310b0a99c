#include "editor/MemoText.h"

#include <algorithm>
#include <cstring>

#include "editor/ColorPainter.h"

namespace qm {

POINT TEditQueries::PosFromChar(int32_t offset) const {
    const LRESULT position = Send(EM_POSFROMCHAR, static_cast<WPARAM>(offset));
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

TScanSnapshot TMemoText::Read(const TReadPlan& plan, uint64_t textVersion) {
    if (haveCopy_ && textVersion == copiedVersion_ && plan == plan_) {
        return TScanSnapshot{buffer_.data(), base_, scanFrom_, scanLimit_};
    }
    haveCopy_ = false;
    ++generation_;
    plan_ = plan;
    if (!(plan.DeriveStarts && ReadLines(true))) {
        ++edit_.Stats().StartQueries;
        ReadLines(false);
    }
    haveCopy_ = true;
    copiedVersion_ = textVersion;
    const size_t zero = static_cast<size_t>(scanLimit_ - base_);
    if (buffer_.size() <= zero) buffer_.resize(zero + 1);
    buffer_[zero] = 0;
    return TScanSnapshot{buffer_.data(), base_, scanFrom_, scanLimit_};
}

// Reads the plan's lines; false when a derived line start proved wrong.
bool TMemoText::ReadLines(bool derive) {
    derive_ = derive;
    lines_.clear();
    used_ = 0;
    derivedLine_ = limitLine_ = -1;
    scanFrom_ = edit_.LineIndex(plan_.StartLine);
    if (scanFrom_ < 0) {  // no such line: nothing to scan
        base_ = scanFrom_ = scanLimit_ = 0;
        return true;
    }
    base_ = SnapshotBase(scanFrom_);
    if (scanFrom_ > 0) {
        const char before = CharBefore(scanFrom_);
        *Room(1) = before;
        ++used_;
    }
    nextStart_ = scanFrom_;

    // Lines above the first tested one (keys that start there may reach it).
    for (int32_t line = plan_.StartLine; line < plan_.FirstLine; ++line) {
        if (line >= plan_.EditLineCount) break;
        CopyLine(line, StartOf(line));
    }

    const int32_t lastLine = plan_.EditLineCount - 1;
    const int32_t limit = ScanLimitOf(
        plan_.FirstLine, plan_.Count, plan_.LineHeight, plan_.ClientBottom, scanFrom_, [&](int32_t line) {
            if (line > lastLine || line < plan_.StartLine) return TLineSpan{-1, 0, 0};
            const int32_t start = StartOf(line);
            const int32_t y = LineY(line);
            const bool inside = y >= 0 && int64_t{y} + plan_.LineHeight < plan_.ClientBottom;
            if (line == lastLine && plan_.SkipEmptyLastLine) {
                // An empty last line is no line of the text: it is not tested.
                const size_t mark = used_;
                const int32_t length = CopyLine(line, start);
                if (length == 0 || !inside) {
                    used_ = mark;
                    lines_.pop_back();
                }
                if (length == 0) return TLineSpan{-1, 0, 0};
                if (inside) return TLineSpan{start, y, length};
            } else if (inside) {
                return TLineSpan{start, y, CopyLine(line, start)};
            }
            // Not wholly visible: the scan ends at its start, its text is not needed.
            limitLine_ = line;
            limitStart_ = start;
            return TLineSpan{start, y, 0};
        });

    if (limit > End()) AppendBreak(limit - End());
    scanLimit_ = limit;
    return !(derive && derivedLine_ >= 0 && edit_.LineIndex(derivedLine_) != derivedStart_);
}

int32_t TMemoText::StartOf(int32_t line) {
    if (line == plan_.StartLine) return scanFrom_;
    if (!derive_) return edit_.LineIndex(line);
    derivedLine_ = line;
    derivedStart_ = nextStart_;
    return nextStart_;
}

// Appends the line (with the line break before it) and returns its length.
int32_t TMemoText::CopyLine(int32_t line, int32_t start) {
    if (start > End()) AppendBreak(start - End());
    char* to = Room(static_cast<size_t>(kLineChunk) + 1);
    const WORD room = static_cast<WORD>(kLineChunk);
    std::memcpy(to, &room, sizeof room);
    int32_t length =
        std::clamp(static_cast<int32_t>(edit_.Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(to))),
                   0, kLineChunk);
    edit_.Stats().CopiedChars += static_cast<uint64_t>(length);
    if (length == kLineChunk) {
        const int32_t whole = edit_.LineLength(start);
        if (whole > length) length = CopyLongLine(start, whole);
    }
    used_ += static_cast<size_t>(length);
    lines_.push_back(TCopiedLine{line, start, length});
    nextStart_ = start + length + 2;
    return length;
}

// A line longer than EM_GETLINE copies: the text up to its end, of which
// the line is kept. Only such lines cost a copy from the start of the text.
int32_t TMemoText::CopyLongLine(int32_t start, int32_t length) {
    std::vector<char> prefix(static_cast<size_t>(start) + static_cast<size_t>(length) + 1);
    const int32_t got = static_cast<int32_t>(
        edit_.Send(WM_GETTEXT, static_cast<WPARAM>(prefix.size()), reinterpret_cast<LPARAM>(prefix.data())));
    edit_.Stats().CopiedChars += static_cast<uint64_t>(std::max(got, 0));
    const int32_t kept = std::clamp(got - start, 0, length);
    std::memcpy(Room(static_cast<size_t>(kept)), prefix.data() + start, static_cast<size_t>(kept));
    return kept;
}

// The character before the first scanned line: the end of a line break, or
// with word wrap the last character of the line before.
char TMemoText::CharBefore(int32_t start) {
    if (derive_) return '\n';
    const int32_t before = plan_.StartLine - 1;
    const int32_t beforeStart = edit_.LineIndex(before);
    const int32_t beforeLength = edit_.LineLength(beforeStart);
    if (beforeStart < 0 || beforeStart + beforeLength < start) return '\n';
    std::vector<char> line(static_cast<size_t>(kLineChunk) + 1);
    const WORD room = static_cast<WORD>(kLineChunk);
    std::memcpy(line.data(), &room, sizeof room);
    const int32_t got = std::clamp(
        static_cast<int32_t>(edit_.Send(EM_GETLINE, static_cast<WPARAM>(before), reinterpret_cast<LPARAM>(line.data()))),
        0, kLineChunk);
    edit_.Stats().CopiedChars += static_cast<uint64_t>(got);
    return got > 0 ? line[static_cast<size_t>(got) - 1] : '\n';
}

// A line break of `length` characters: CR LF, or LF, or CR CR LF (a soft
// break of the native control).
void TMemoText::AppendBreak(int32_t length) {
    char* to = Room(static_cast<size_t>(length));
    std::fill_n(to, length - 1, '\r');
    to[length - 1] = '\n';
    used_ += static_cast<size_t>(length);
}

// Room for `characters` more after what is used; the pointer to the first.
char* TMemoText::Room(size_t characters) {
    const size_t needed = used_ + characters;
    if (buffer_.size() < needed) buffer_.resize(std::max(needed, buffer_.size() * 2));
    return buffer_.data() + used_;
}

int TMemoText::LineAt(int32_t offset) const {
    const auto after = std::upper_bound(lines_.begin(), lines_.end(), offset,
                                        [](int32_t at, const TCopiedLine& line) { return at < line.Start; });
    return static_cast<int>(after - lines_.begin()) - 1;
}

int32_t TMemoText::KnownStart(int32_t line) const {
    for (const TCopiedLine& copied : lines_) {
        if (copied.Line == line) return copied.Start;
    }
    return line == limitLine_ ? limitStart_ : -1;
}

int32_t TMemoText::CaretLineStart(int32_t offset) const {
    const int index = LineAt(offset);
    if (index < 0) return -1;
    const TCopiedLine& line = lines_[static_cast<size_t>(index)];
    const bool last = static_cast<size_t>(index) + 1 == lines_.size();
    if (last && offset > line.Start + line.Length) return -1;
    return line.Start;
}

int32_t TMemoText::LineY(int32_t line) const {
    const int64_t y = int64_t{plan_.FormatTop} + (int64_t{line} - plan_.TopLine) * plan_.LineHeight;
    return static_cast<int32_t>(std::clamp<int64_t>(y, INT32_MIN / 2, INT32_MAX / 2));
}

}  // namespace qm
