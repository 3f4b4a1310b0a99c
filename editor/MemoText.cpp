#include "editor/MemoText.h"

#include <algorithm>
#include <cstring>

#include "editor/ColorPainter.h"

namespace qm {

TScanSnapshot TMemoText::Read(const TReadPlan& plan, uint64_t textVersion) {
    if (haveCopy_ && textVersion == copiedVersion_ && CopiesAlike(plan)) {
        return TScanSnapshot{buffer_.data(), base_, scanFrom_, scanLimit_};
    }
    const bool hadCopy = generation_ > 0;
    const int32_t previousBase = base_, previousEnd = End();
    buffer_.swap(previous_);
    haveCopy_ = false;
    ++generation_;
    plan_ = plan;
    ReadLines();
    haveCopy_ = true;
    changedFrom_ = hadCopy ? FirstDifference(previousBase, previousEnd) : 0;
    copiedVersion_ = textVersion;
    const size_t zero = static_cast<size_t>(scanLimit_ - base_);
    if (buffer_.size() <= zero) buffer_.resize(zero + 1);
    buffer_[zero] = 0;
    return TScanSnapshot{buffer_.data(), base_, scanFrom_, scanLimit_};
}

// Whether a copy by `plan` would be the copy held. Plans that differ only in
// whether an empty last line counts make the same copy unless that line is
// among the tested ones and empty (the caret line's repaint after a change
// and the paint that follows use one copy).
bool TMemoText::CopiesAlike(const TReadPlan& plan) const {
    if (plan == plan_) return true;
    TReadPlan other = plan;
    other.SkipEmptyLastLine = plan_.SkipEmptyLastLine;
    if (!(other == plan_)) return false;
    const int32_t lastLine = plan_.EditLineCount - 1;
    if (lastLine < plan_.FirstLine || lastLine >= int64_t{plan_.FirstLine} + plan_.Count) return true;
    if (limitLine_ >= 0) return limitLine_ < lastLine;  // the tested lines ended before it
    const auto copied = std::find_if(lines_.begin(), lines_.end(),
                                     [&](const TCopiedLine& line) { return line.Line == lastLine; });
    return copied != lines_.end() && copied->Length > 0;
}

// Where this copy first differs from the one before (previous_, from
// `previousBase` to `previousEnd`).
int32_t TMemoText::FirstDifference(int32_t previousBase, int32_t previousEnd) const {
    if (previousBase != base_) return std::min(previousBase, base_);
    const int32_t end = End();
    const size_t common = static_cast<size_t>(std::min(end, previousEnd) - base_);
    const auto mismatch = std::mismatch(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(common),
                                        previous_.begin());
    if (mismatch.first != buffer_.begin() + static_cast<std::ptrdiff_t>(common)) {
        return base_ + static_cast<int32_t>(mismatch.first - buffer_.begin());
    }
    return end == previousEnd ? INT32_MAX : std::min(end, previousEnd);
}

bool TMemoText::Apply(int32_t at, int32_t removed, std::u16string_view inserted, uint64_t textVersion) {
    const int index = haveCopy_ ? LineAt(at) : -1;
    const bool breaks = inserted.find_first_of(std::u16string_view(u"\r\n\0", 3)) != std::u16string_view::npos;
    if (index < 0 || removed < 0 || breaks) {
        haveCopy_ = false;
        return false;
    }
    TCopiedLine& line = lines_[static_cast<size_t>(index)];
    if (int64_t{at} + removed > int64_t{line.Start} + line.Length) {
        haveCopy_ = false;
        return false;
    }
    const auto delta = static_cast<int32_t>(inserted.size()) - removed;
    const size_t from = static_cast<size_t>(at - base_);
    const size_t tail = used_ - from - static_cast<size_t>(removed);
    // The characters after the change, up to the zero at the scan limit.
    const size_t kept = static_cast<size_t>(scanLimit_ - base_) + 1 - from - static_cast<size_t>(removed);
    if (buffer_.size() < used_ + inserted.size() + 1 + kept) buffer_.resize(used_ + inserted.size() + 1 + kept);
    std::memmove(buffer_.data() + from + inserted.size(), buffer_.data() + from + removed,
                 std::max(tail, kept) * sizeof(char16_t));
    std::copy(inserted.begin(), inserted.end(), buffer_.data() + from);
    used_ = static_cast<size_t>(static_cast<int64_t>(used_) + delta);
    line.Length += delta;
    for (size_t i = static_cast<size_t>(index) + 1; i < lines_.size(); ++i) lines_[i].Start += delta;
    if (limitLine_ >= 0) limitStart_ += delta;
    scanLimit_ += delta;
    buffer_[static_cast<size_t>(scanLimit_ - base_)] = 0;
    copiedVersion_ = textVersion;
    return true;
}

void TMemoText::ReadLines() {
    lines_.clear();
    used_ = 0;
    limitLine_ = -1;
    scanFrom_ = edit_.LineIndex(plan_.StartLine);
    if (scanFrom_ < 0) {  // no such line: nothing to scan
        base_ = scanFrom_ = scanLimit_ = 0;
        return;
    }
    base_ = SnapshotBase(scanFrom_);
    if (scanFrom_ > 0) {
        const char16_t before = CharBefore(scanFrom_);
        *Room(1) = before;
        ++used_;
    }

    // Lines above the first tested one (keys that start there may reach it).
    for (int32_t line = plan_.StartLine; line < plan_.FirstLine; ++line) {
        const int32_t start = line < plan_.EditLineCount ? StartOf(line) : -1;
        if (start < 0) break;
        CopyLine(line, start);
    }

    const int32_t lastLine = plan_.EditLineCount - 1;
    const int32_t limit = ScanLimitOf(
        plan_.FirstLine, plan_.Count, plan_.LineHeight, plan_.ClientBottom, scanFrom_, [&](int32_t line) {
            if (line > lastLine || line < plan_.StartLine) return TLineSpan{-1, 0, 0};
            const int32_t start = StartOf(line);
            if (start < 0) return TLineSpan{-1, 0, 0};
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
}

int32_t TMemoText::StartOf(int32_t line) const {
    return line == plan_.StartLine ? scanFrom_ : edit_.LineIndex(line);
}

// Appends the line (with the line break before it) and returns its length.
// A start before the end of the line copied last (which no control answers)
// is taken as that end, so that the copy stays in order.
int32_t TMemoText::CopyLine(int32_t line, int32_t start) {
    if (start > End()) AppendBreak(start - End());
    start = End();
    int32_t length = GetLine(line, kShortLine);
    if (length == kShortLine) {
        const int32_t whole = edit_.LineLength(start);
        if (whole > kLineChunk) {
            length = CopyLongLine(start, whole);
        } else if (whole > length) {
            length = GetLine(line, whole);
        }
    }
    used_ += static_cast<size_t>(length);
    lines_.push_back(TCopiedLine{line, start, length});
    return length;
}

// Copies up to `room` characters of the line to the end of the buffer
// (without taking them into use); returns how many came. The native control
// makes a buffer as large as the room offered for every copy, so lines get
// a short room first: most fit.
int32_t TMemoText::GetLine(int32_t line, int32_t room) {
    room = std::clamp(room, 1, kLineChunk);
    const int32_t got = std::clamp(edit_.GetLine(line, Room(static_cast<size_t>(room) + 1), room), 0, room);
    edit_.Stats().CopiedChars += static_cast<uint64_t>(got);
    return got;
}

// A line longer than EM_GETLINE copies: the text up to its end, of which
// the line is kept. Only such lines cost a copy from the start of the text.
int32_t TMemoText::CopyLongLine(int32_t start, int32_t length) {
    // Kept for the next long line: no allocation per paint.
    std::vector<char16_t>& prefix = prefix_;
    const size_t size = static_cast<size_t>(start) + static_cast<size_t>(length) + 1;
    if (prefix.size() < size) prefix.resize(size);
    const int32_t got = std::max(edit_.GetText(prefix.data(), static_cast<int32_t>(size)), 0);
    edit_.Stats().CopiedChars += static_cast<uint64_t>(got);
    const int32_t kept = std::clamp(got - start, 0, length);
    std::copy_n(prefix.data() + start, kept, Room(static_cast<size_t>(kept)));
    return kept;
}

// The character before the first scanned line: the end of a line break
// (every kind ends with a line feed), or with word wrap the last character of
// the line before.
char16_t TMemoText::CharBefore(int32_t start) {
    if (!plan_.WordWrap) return u'\n';
    const int32_t before = plan_.StartLine - 1;
    const int32_t beforeStart = edit_.LineIndex(before);
    const int32_t beforeLength = edit_.LineLength(beforeStart);
    if (beforeStart < 0 || beforeStart + beforeLength < start) return u'\n';
    // Copied past the end of what is in use, and forgotten again.
    const int32_t got = GetLine(before, beforeLength);
    return got > 0 ? Room(0)[got - 1] : u'\n';
}

// A line break of `length` characters: CR LF, or LF, or CR CR LF (a soft
// break of the native control).
void TMemoText::AppendBreak(int32_t length) {
    char16_t* to = Room(static_cast<size_t>(length));
    std::fill_n(to, length - 1, u'\r');
    to[length - 1] = u'\n';
    used_ += static_cast<size_t>(length);
}

// Room for `characters` more after what is used; the pointer to the first.
char16_t* TMemoText::Room(size_t characters) {
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
