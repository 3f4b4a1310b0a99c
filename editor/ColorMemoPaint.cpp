// TColorMemo: the paint cycle and the coloured painting (RedrawColors).
#include <algorithm>
#include <optional>

#include "editor/ColorMemo.h"
#include "editor/PaintBuffer.h"
#include "editor/TextUnits.h"
#include "ui/WideText.h"

namespace qm {

namespace {

// Hides the caret for a scope; shows it again only when it was hidden.
class CaretHidden {
public:
    explicit CaretHidden(HWND window) : window_(window), hidden_(HideCaret(window) != FALSE) {}
    ~CaretHidden() {
        if (hidden_) ShowCaret(window_);
    }
    CaretHidden(const CaretHidden&) = delete;
    CaretHidden& operator=(const CaretHidden&) = delete;

private:
    HWND window_;
    bool hidden_;
};

int64_t Ticks() {
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

// Adds the time of a scope to a counter.
class TickCounter {
public:
    explicit TickCounter(uint64_t& total) : total_(total), began_(Ticks()) {}
    ~TickCounter() { total_ += static_cast<uint64_t>(Ticks() - began_); }
    TickCounter(const TickCounter&) = delete;
    TickCounter& operator=(const TickCounter&) = delete;

private:
    uint64_t& total_;
    int64_t began_;
};

}  // namespace

// The native control paints first; the colours go over it on the same
// device context. In the paint cycle both go into an off-screen picture
// that is then copied to the screen at once, so nothing shows half done.
LRESULT TColorMemo::Paint(HDC given) {
    if (given) {  // a caller's device context (as WM_PRINTCLIENT would give)
        const LRESULT result = DefaultHandling(WM_PAINT, reinterpret_cast<WPARAM>(given), 0);
        TCanvasAttachment attached(DrawCanvas, given);
        RedrawColors(this, false);
        return result;
    }
    PaintDC paint(handle_);
    if (!paint.Get()) {
        ValidateRect(handle_, nullptr);
        return 0;
    }
    if (Colouring() && ComposedPaint(paint.Get(), paint.Info().rcPaint)) return 0;
    DefaultHandling(WM_PAINT, reinterpret_cast<WPARAM>(paint.Get()), 0);
    TCanvasAttachment attached(DrawCanvas, paint.Get());
    RedrawColors(this, false);
    return 0;
}

// The area being painted, composed off screen and copied to the screen's
// device context; false when no off-screen picture could be had.
bool TColorMemo::ComposedPaint(HDC screen, const RECT& area) {
    if (IsRectEmpty(&area)) return true;
    RECT client{};
    if (!GetClientRect(handle_, &client)) return false;
    std::optional<TPaintBuffer::Lease> buffer;
    {
        const TickCounter timed(stats_.ColourTicks);
        buffer.emplace(TPaintBuffer::Shared(), screen, client.right, client.bottom);
    }
    if (!buffer->Ok()) return false;
    const HDC picture = buffer->Dc();
    IntersectClipRect(picture, area.left, area.top, area.right, area.bottom);
    DefaultHandling(WM_PAINT, reinterpret_cast<WPARAM>(picture), 0);
    // Shown also when colouring fails: the native text at least.
    struct Show {
        HDC screen, picture;
        const RECT& area;
        uint64_t& ticks;
        ~Show() {
            const TickCounter timed(ticks);
            BitBlt(screen, area.left, area.top, area.right - area.left, area.bottom - area.top, picture, area.left,
                   area.top, SRCCOPY);
        }
    } show{screen, picture, area, stats_.ColourTicks};
    TCanvasAttachment attached(DrawCanvas, picture);
    RedrawColors(this, false);
    return true;
}

bool TColorMemo::Colouring() const {
    return handle_ && visible_ && Enabled() && GetParent(handle_) && painter_.HasColouring();
}

void TColorMemo::RedrawColors(const void*, bool CaretLineOnly) {
    ++stats_.RedrawCalls;
    if (CaretLineOnly) ++stats_.CaretLineOnlyCalls;
    if (!Colouring()) return;
    const TickCounter timed(stats_.ColourTicks);
    TCanvasPass pass(DrawCanvas);
    if (!pass.Ok()) return;
    ++stats_.Paints;

    DrawCanvas.Underline = false;
    const int lineHeight = std::max(DrawCanvas.TextHeight(), 1);
    DWORD selStart = 0, selEnd = 0;
    edit_.Send(EM_GETSEL, reinterpret_cast<WPARAM>(&selStart), reinterpret_cast<LPARAM>(&selEnd));
    const auto caretAt = static_cast<int32_t>(selStart);
    // The paint cycle has hidden the caret already (and an off-screen
    // picture has none).
    std::optional<CaretHidden> caret;
    if (!DrawCanvas.Attached()) caret.emplace(handle_);
    DrawCanvas.FontColor = color_;
    DrawCanvas.BrushColor = color_;

    // Which lines: the caret's, or all from the top line on. The native
    // control's count may hold an empty last line, which is no line of the
    // text; reading drops it.
    const auto editLines = static_cast<int32_t>(edit_.Send(EM_GETLINECOUNT));
    const auto topLine = static_cast<int32_t>(edit_.Send(EM_GETFIRSTVISIBLELINE));
    const int32_t caretLine = CaretLineOnly ? edit_.LineFromChar(caretAt) : 0;
    const TPaintLines lines = PaintLines(CaretLineOnly, caretLine, topLine, editLines);
    RECT format{};
    edit_.Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    RECT client{};
    GetClientRect(handle_, &client);
    formatLeft_ = format.left;

    TReadPlan plan;
    plan.StartLine = ScanStartLine(painter_.ColorRules, lines.First);
    plan.FirstLine = lines.First;
    plan.Count = lines.Count;
    plan.EditLineCount = editLines;
    plan.SkipEmptyLastLine = !CaretLineOnly;
    plan.TopLine = topLine;
    plan.FormatTop = format.top;
    plan.LineHeight = lineHeight;
    plan.ClientBottom = client.bottom;
    plan.WordWrap = wordWrap_;
    const TScanSnapshot snapshot = text_.Read(plan, textVersion_);
    if (text_.Generation() != seenCopy_) CopyRenewed();
    // The lines' prefix widths hold while the copy and the font's widths do.
    if (text_.Generation() != widthsOfCopy_ || charWidths_.Generation() != widthsOfFont_) {
        widthsOfCopy_ = text_.Generation();
        widthsOfFont_ = charWidths_.Generation();
        ++widthsGeneration_;
    }
    haveLineX_ = false;
    measuredLine_ = -1;
    places_.assign(text_.Lines().size(), TLinePlace{});

    TPaintInput input;
    input.SelStart = caretAt;
    input.SelLength = static_cast<int32_t>(selEnd - selStart);
    if (redrawAlways_) {
        // A caret outside the scanned lines gives a key outside them, which
        // colours nothing whatever its start.
        int32_t lineStart = CaretLineOnly ? text_.KnownStart(caretLine) : text_.CaretLineStart(caretAt);
        if (CaretLineOnly && lineStart < 0) lineStart = edit_.LineIndex(caretLine);
        input.CaretColumn = lineStart >= 0 ? caretAt - lineStart : 0;
    }
    input.FontColor = font_.Color;
    input.Color = color_;
    input.RedrawAlways = redrawAlways_;
    input.WantTabs = wantTabs_;
    ShownPart(input);
    const int64_t began = Ticks();
    const int runs = painter_.BuildRuns(snapshot, input);
    stats_.CoreTicks += static_cast<uint64_t>(Ticks() - began);

    DrawRuns(runs);
}

// A new copy of the text: resume points and layout verdicts hold for the
// text before the first character that may have changed.
void TColorMemo::CopyRenewed() {
    seenCopy_ = text_.Generation();
    const int32_t changed = text_.ChangedFrom();
    painter_.Resume.Edited(changed);
    std::erase_if(verdicts_, [&](const TLayoutVerdict& verdict) {
        return int64_t{verdict.Start} + verdict.Length + 2 >= changed;
    });
    verdictsCopy_ = seenCopy_;
}

// The characters that show: from the first shown column of the first line
// that shows to the last shown one of the last (keys are found as a scan of
// all the copied lines finds them; only their runs there are made).
void TColorMemo::ShownPart(TPaintInput& input) {
    const RECT& visible = DrawCanvas.ClipBox();
    int64_t from = INT64_MAX, to = -1;
    for (size_t i = 0; i < text_.Lines().size(); ++i) {
        const TCopiedLine& line = text_.Lines()[i];
        const int y = text_.LineY(line.Line);
        if (int64_t{y} + text_.Plan().LineHeight <= visible.top || y >= visible.bottom) continue;
        const TLinePlace& place = Place(static_cast<int>(i));
        const int64_t first = line.Length == 0 ? line.Start : int64_t{line.Start} + static_cast<int64_t>(place.First);
        const int64_t end = line.Length == 0 ? line.Start : int64_t{line.Start} + static_cast<int64_t>(place.End);
        from = std::min(from, first);
        to = std::max(to, end);
    }
    if (to < 0) {
        input.KeysFrom = input.KeysTo = text_.Lines().empty() ? 0 : text_.Lines().front().Start;
        return;
    }
    input.KeysFrom = static_cast<int32_t>(from);
    input.KeysTo = static_cast<int32_t>(to);
}

void TColorMemo::DrawRuns(int runCount) {
    DrawOwnLines();
    for (int k = 0; k < runCount && k < painter_.KeyList.Count(); ++k) {
        const TKeyDescr run = painter_.KeyList[k];
        if (run.KeyBeg == kEmptyKey) break;
        if (run.KeyBeg < 0) continue;
        DrawRun(run);
    }
}

namespace {

// A client x for GDI; whatever lies this far out is clipped anyway.
int ClientX(int64_t x) { return static_cast<int>(std::clamp<int64_t>(x, -(int64_t{1} << 30), int64_t{1} << 30)); }

// The value that the native control's 16-bit answer stands for: the one
// nearest to what the font's widths give.
int64_t Unwrap(int answer, int64_t expected) {
    return expected + static_cast<int16_t>(static_cast<uint16_t>(static_cast<int64_t>(answer) - expected));
}

}  // namespace

// The shown part of the lines the native control leaves empty, in the
// font colour; the runs are drawn over it.
void TColorMemo::DrawOwnLines() {
    for (size_t i = 0; i < text_.Lines().size(); ++i) {
        const TCopiedLine& line = text_.Lines()[i];
        if (line.Length == 0) continue;
        const int y = text_.LineY(line.Line);
        const RECT& visible = DrawCanvas.ClipBox();
        if (int64_t{y} + text_.Plan().LineHeight <= visible.top || y >= visible.bottom) continue;
        if (!Place(static_cast<int>(i)).Own) continue;
        DrawCanvas.FontColor = font_.Color;
        DrawPart(static_cast<int>(i), line.Start, line.Start + line.Length - 1);
        DrawCanvas.FontColor = color_;
    }
}

// One run in its colour, where the native control shows its characters.
// Line breaks are never drawn; the selection and tab characters are left
// to the native control.
void TColorMemo::DrawRun(const TKeyDescr& run) {
    if (run.KeyZOrder == kZSelection || run.KeyZOrder == kZTab) return;
    const int first = text_.LineAt(run.KeyBeg);
    const int last = text_.LineAt(run.KeyEnd);
    if (first < 0 || last < first) return;

    struct Restore {
        TMemoCanvas& canvas;
        TColor color;
        ~Restore() {
            canvas.FontColor = canvas.BrushColor = color;
            canvas.Underline = false;
        }
    } restore{DrawCanvas, color_};
    DrawCanvas.FontColor = run.KeyColor;

    if (first == last) {
        const TCopiedLine& line = text_.Lines()[static_cast<size_t>(first)];
        const int32_t to = std::min(run.KeyEnd, line.Start + line.Length - 1);
        if (to < run.KeyBeg) return;  // the line break alone
        if (run.KeyByEvent == 1 && OnDrawKey) {
            const std::wstring key(AsWide(text_.LineText(line).substr(static_cast<size_t>(run.KeyBeg - line.Start),
                                                                      static_cast<size_t>(to - run.KeyBeg + 1))));
            const int x = ClientX(PartX(first, run.KeyBeg));
            const int y = text_.LineY(line.Line);
            const RECT rect{x, y, x + DrawCanvas.TextWidth(key), y + text_.Plan().LineHeight};
            OnDrawKey(DrawCanvas, key, rect, font_.Color);
            return;
        }
        if (run.KeyZOrder == kZHotSpotMarker) {
            DrawCanvas.BrushColor = run.KeyColor;  // font and background alike: a solid block
        } else if (run.KeyZOrder == kZHotSpotText) {
            DrawCanvas.Underline = painter_.HotSpot.Underlined;
        }
        DrawPart(first, run.KeyBeg, to);
        return;
    }
    // Over several lines: each line's part at that line, plainly.
    for (int i = first; i <= last; ++i) {
        const TCopiedLine& line = text_.Lines()[static_cast<size_t>(i)];
        const int32_t from = std::max(run.KeyBeg, line.Start);
        const int32_t to = std::min(run.KeyEnd, line.Start + line.Length - 1);
        if (to >= from) DrawPart(i, from, to);
    }
}

// The characters from..to of one copied line that show, in pieces placed
// where the native control shows them. Tab characters, surrogate pairs,
// characters the native control shows in another font and shaped ones are
// left to the native control. On a line with characters whose place only
// the native control knows (see TCharKind) each piece is also cut to the
// room the native control gives it, so nothing spills over the characters
// beside it.
void TColorMemo::DrawPart(int lineIndex, int32_t from, int32_t to) {
    const TCopiedLine& line = text_.Lines()[static_cast<size_t>(lineIndex)];
    const int y = text_.LineY(line.Line);
    const int height = text_.Plan().LineHeight;
    const RECT& visible = DrawCanvas.ClipBox();
    if (int64_t{y} + height <= visible.top || y >= visible.bottom) return;  // nothing of it would show
    const TLinePlace& place = Place(lineIndex);
    auto at = std::max(static_cast<size_t>(from - line.Start), place.First);
    const auto end = std::min(static_cast<size_t>(to - line.Start) + 1, place.End);
    if (at >= end || !DrawCanvas.Shows(RECT{visible.left, y, visible.right, y + height})) return;
    Measure(lineIndex);
    const std::u16string_view text = text_.LineText(line);
    auto kind = [&](size_t column) { return charWidths_.At(text, column).Kind; };
    while (at < end) {
        const TCharKind first = kind(at);
        if (!place.Own && (text[at] == u'\t' || first == TCharKind::Native || first == TCharKind::Shaped)) {
            at += UnitsAt(text, at);
            continue;
        }
        // A control character alone, or a run of plain ones.
        size_t stop = at + UnitsAt(text, at);
        if (first == TCharKind::Plain || place.Own) {
            while (stop < end && (place.Own || kind(stop) == TCharKind::Plain)) stop += UnitsAt(text, stop);
        }
        const std::wstring_view piece = AsWide(text.substr(at, stop - at));
        const int x = ClientX(PartX(lineIndex, line.Start + static_cast<int32_t>(at)));
        if (!lineHasOdd_ || place.Own) {
            DrawCanvas.WriteText(x, y, piece);
        } else {
            int right = ClientX(PartX(lineIndex, line.Start + static_cast<int32_t>(stop)));
            if (right < x) right = x + DrawCanvas.TextWidth(piece);  // past the end of the text
            DrawCanvas.WriteText(x, y, piece, RECT{x, y, right, y + height});
        }
        at = stop;
    }
}

// The prefix widths of a copied line by the font's widths, indexed once
// per copy of the text.
TLineWidths& TColorMemo::Widths(int lineIndex) {
    if (lineWidths_.size() < text_.Lines().size()) lineWidths_.resize(text_.Lines().size());
    TIndexedLine& indexed = lineWidths_[static_cast<size_t>(lineIndex)];
    if (indexed.Generation != widthsGeneration_) {
        indexed.Widths.Index(text_.LineText(text_.Lines()[static_cast<size_t>(lineIndex)]), charWidths_);
        indexed.Generation = widthsGeneration_;
    }
    return indexed.Widths;
}

// Client x of every line's first character (left-aligned text). Where the
// control has a horizontal scroll bar, its position is the view's offset in
// pixels and the line start lies that far left of the formatting rectangle:
// at offset 0 that is all; otherwise the native control's 16-bit answer for
// a line start is asked until once it has agreed with the offset (Wine's
// control works out a long line's layout anew for every such answer when it
// cannot keep one). Without a scroll bar the answer is all there is.
int64_t TColorMemo::LineX(int32_t lineStart) {
    if (haveLineX_) return lineX_;
    haveLineX_ = true;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_POS;
    const bool scrollBar = !wordWrap_ && (GetWindowLongW(handle_, GWL_STYLE) & WS_HSCROLL) != 0 &&
                           GetScrollInfo(handle_, SB_HORZ, &info) != FALSE;
    const int64_t scrolled = int64_t{formatLeft_} - (scrollBar ? info.nPos : 0);
    if (scrollBar && (info.nPos == 0 || offsetAgreed_)) {
        lineX_ = scrolled;
        lineAnswer_ = static_cast<int16_t>(static_cast<uint16_t>(scrolled));
        return lineX_;
    }
    lineAnswer_ = edit_.PosFromChar(lineStart).x;
    lineX_ = lineAnswer_;
    if (scrollBar && (scrolled - lineAnswer_) % 0x10000 == 0) {
        lineX_ = scrolled;
        offsetAgreed_ = true;
    }
    return lineX_;
}

// Where a copied line shows: the columns inside the view, found by the
// font's widths from the line's start, and the client x of the first of
// them. That x is the native control's own answer for the character, which
// is exact for a character in view whatever its 16 bits; the font's widths
// only say which 65,536-pixel turn it stands for. A long line the native
// control answers the line's start for every character of has not been laid
// out by it, and shows nothing: the control draws it (see TLinePlace::Own).
const TColorMemo::TLinePlace& TColorMemo::Place(int lineIndex) {
    TLinePlace& place = places_[static_cast<size_t>(lineIndex)];
    if (place.Known) return place;
    place.Known = true;
    const TCopiedLine& line = text_.Lines()[static_cast<size_t>(lineIndex)];
    if (line.Length == 0) return place;
    TLineWidths& widths = Widths(lineIndex);
    const int64_t origin = LineX(line.Start);
    const RECT& visible = DrawCanvas.ClipBox();
    int64_t left = 0;
    place.First = widths.ColumnAt(visible.left - origin, left);
    int64_t right = left;
    place.End = std::min(widths.ColumnAt(visible.right - 1 - origin, place.First, right) + 1,
                         static_cast<size_t>(line.Length));
    if (InsidePair(text_.LineText(line), place.End)) ++place.End;  // the whole of an emoji that shows
    place.X = origin + left;
    // Only a long line can be one the native control failed to lay out.
    constexpr int32_t kLongLine = 256;
    if (place.First >= place.End || (place.First == 0 && line.Length < kLongLine)) return place;
    if (verdictsCopy_ != text_.Generation()) {
        verdicts_.clear();
        verdictsCopy_ = text_.Generation();
    }
    const auto known = std::find_if(verdicts_.begin(), verdicts_.end(), [&](const TLayoutVerdict& verdict) {
        return verdict.Line == line.Line && verdict.Start == line.Start && verdict.Length == line.Length;
    });
    if (known != verdicts_.end() && (known->Own || place.First == 0)) {
        place.Own = known->Own;
        return place;
    }
    const size_t probe = place.First > 0 ? place.First : UnitsAt(text_.LineText(line), 0);
    const int64_t expected = origin + widths.Before(probe);
    const POINT answer = edit_.PosFromChar(line.Start + static_cast<int32_t>(probe));
    if (answer.x == lineAnswer_ && (expected - origin) % 0x10000 != 0) {
        place.Own = true;
    } else if (place.First > 0) {
        place.X = Unwrap(answer.x, expected);
    }
    if (known == verdicts_.end()) verdicts_.push_back(TLayoutVerdict{line.Line, line.Start, line.Length, place.Own});
    return place;
}

// Widths of the shown characters of a copied line from its first shown
// one, up to the first character whose successor only the native control
// can place (on a line the control draws itself, all of them): runs of
// plain characters as the font lays them out, the others by their known
// widths.
void TColorMemo::Measure(int lineIndex) {
    if (measuredLine_ == lineIndex) return;
    const TLinePlace& place = Place(lineIndex);
    const std::u16string_view line = text_.LineText(text_.Lines()[static_cast<size_t>(lineIndex)]);
    const std::u16string_view text = line.substr(place.First, place.End - place.First);
    measuredLine_ = -1;
    widths_.resize(text.size());
    const bool underline = DrawCanvas.Underline;
    DrawCanvas.Underline = false;
    auto metric = [&](size_t at) { return charWidths_.At(line, place.First + at); };
    auto odd = [&](const TCharMetric& m) { return m.Kind == TCharKind::Control || m.Kind == TCharKind::Shaped; };
    size_t at = 0;
    int sum = 0;
    while (at < text.size()) {
        const TCharMetric first = metric(at);
        if (!place.Own && odd(first)) break;
        size_t stop = at + UnitsAt(text, at);
        if (first.Kind == TCharKind::Native && !place.Own) {
            sum += first.Width;
            std::fill(widths_.begin() + static_cast<ptrdiff_t>(at), widths_.begin() + static_cast<ptrdiff_t>(stop), sum);
        } else {
            while (stop < text.size() && (place.Own || metric(stop).Kind == TCharKind::Plain)) {
                stop += UnitsAt(text, stop);
            }
            if (!DrawCanvas.PartialWidths(AsWide(text.substr(at, stop - at)), widths_.data() + at)) break;
            for (size_t i = at; i < stop; ++i) widths_[i] += sum;
            sum = widths_[stop - 1];
        }
        at = stop;
    }
    measuredCount_ = at;
    lineHasOdd_ = false;
    for (size_t i = at; i < text.size() && !place.Own; ++i) {
        if (text[i] != u'\t' && odd(metric(i))) lineHasOdd_ = true;
    }
    DrawCanvas.Underline = underline;
    measuredLine_ = lineIndex;
}

// Client x of a character of a copied line (or of the end of the line).
// Among the shown characters: the first one's x and the widths of those
// between, as long as no odd character stands before it; after one the
// native control is asked. Outside them, by the font's widths.
int64_t TColorMemo::PartX(int lineIndex, int32_t offset) {
    const TCopiedLine& line = text_.Lines()[static_cast<size_t>(lineIndex)];
    const auto column = static_cast<size_t>(offset - line.Start);
    const TLinePlace& place = Place(lineIndex);
    if (column == place.First) return place.X;
    const int64_t estimate = LineX(line.Start) + Widths(lineIndex).Before(column);
    if (column < place.First || column > place.End) return estimate;
    Measure(lineIndex);
    if (column - place.First <= measuredCount_) return place.X + widths_[column - place.First - 1];
    if (place.Own) return estimate;
    const POINT at = edit_.PosFromChar(offset);
    if (at.y == -1 && at.x == -1) return estimate;
    return Unwrap(at.x, estimate);
}

}  // namespace qm
