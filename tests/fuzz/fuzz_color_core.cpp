// Fuzz target of the colouring editor's core: random rules, hot-spot and
// paint settings, an OnDraw handler reporting chosen (possibly wild) ranges,
// and a text scanned through a window of it. Two painters set up alike scan
// the window and the whole text; their keys and runs must agree, and the
// runs must match a plain per-character resolution of the keys in which the
// two halves of a surrogate pair take one key.
#include "editor/ColorPainter.h"
#include "editor/MemoInput.h"
#include "editor/MemoText.h"
#include "editor/TextUnits.h"

#include "../core/editor/FakeEdit.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace qm;

namespace {

void Check(bool Condition) {
    if (!Condition) __builtin_trap();
}

// Characters the rules and the text are mostly made of, so that keys meet;
// the halves of an emoji among them make pairs and lone halves.
constexpr std::u16string_view kAlphabet = u"<>\"!-;/ \t\r\n\x1E\x1F|aAhHtTmMlLkKeEyY@_5X#{}\u00e9\xD83D\xDE00";

// Mapped: a character of the alphabet per byte; otherwise any code unit per
// two bytes.
std::u16string Piece(FuzzedDataProvider& Data, size_t MaxLength, bool Mapped) {
    const std::string bytes = Data.ConsumeRandomLengthString(Mapped ? MaxLength : 2 * MaxLength);
    std::u16string text;
    if (Mapped) {
        for (char c : bytes) text += kAlphabet[static_cast<unsigned char>(c) % kAlphabet.size()];
    } else {
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 | static_cast<unsigned char>(bytes[i + 1]));
        }
    }
    return text;
}

std::vector<std::u16string> Lines(FuzzedDataProvider& Data, bool Mapped) {
    std::vector<std::u16string> lines(Data.ConsumeIntegralInRange<size_t>(0, 5));
    for (std::u16string& line : lines) line = Piece(Data, 14, Mapped);
    return lines;
}

struct RuleSetup {
    TKeyDrawingType Kind;
    uint8_t ZOrder;
    int32_t KeyMaxHeight;
    bool KeyCase, PartWord, Enabled, UseSetters;
    TColor DefKeyColor;
    std::vector<std::u16string> Keywords, BegEnd, LineEnd;
};

struct Setup {
    std::vector<RuleSetup> Rules;
    THotSpot HotSpot;
    int ColorLimMax = 0;
    std::vector<TKeyDescr> Events;
    int ReportedCount = 0;
    TPaintInput Input;
};

char16_t HotSpotChar(FuzzedDataProvider& Data) {
    constexpr char16_t kChoices[] = {30, 31, u'|', u'<', u'>', 0, u'a', 0xDE00};
    return kChoices[Data.ConsumeIntegralInRange<size_t>(0, std::size(kChoices) - 1)];
}

Setup ReadSetup(FuzzedDataProvider& Data, bool Mapped) {
    Setup setup;
    setup.Rules.resize(Data.ConsumeIntegralInRange<size_t>(0, 4));
    for (RuleSetup& rule : setup.Rules) {
        rule.Kind = static_cast<TKeyDrawingType>(Data.ConsumeIntegralInRange<int>(0, 3));
        rule.ZOrder = Data.ConsumeIntegral<uint8_t>();
        rule.KeyMaxHeight = Data.ConsumeIntegralInRange<int32_t>(-2, 5);
        rule.KeyCase = Data.ConsumeBool();
        rule.PartWord = Data.ConsumeBool();
        rule.Enabled = Data.ConsumeProbability<float>() < 0.9f;
        rule.UseSetters = Data.ConsumeBool();
        rule.DefKeyColor = Data.ConsumeIntegral<uint32_t>();
        rule.Keywords = Lines(Data, Mapped);
        rule.BegEnd = Lines(Data, Mapped);
        rule.LineEnd = Lines(Data, Mapped);
    }
    setup.HotSpot.Active = Data.ConsumeBool();
    setup.HotSpot.BeginChar = HotSpotChar(Data);
    setup.HotSpot.EndChar = HotSpotChar(Data);
    setup.HotSpot.Color = Data.ConsumeIntegral<uint32_t>();
    setup.HotSpot.MarkerColor = Data.ConsumeIntegral<uint32_t>();
    setup.ColorLimMax = Data.ConsumeIntegralInRange<int>(-1, 8);
    setup.Events.resize(Data.ConsumeIntegralInRange<size_t>(0, 8));
    for (TKeyDescr& event : setup.Events) {
        const bool wild = Data.ConsumeBool();
        event.KeyBeg = wild ? Data.ConsumeIntegral<int32_t>() : Data.ConsumeIntegralInRange<int32_t>(-3, 300);
        event.KeyEnd = wild ? Data.ConsumeIntegral<int32_t>() : Data.ConsumeIntegralInRange<int32_t>(-3, 300);
        event.KeyColor = Data.ConsumeIntegral<uint32_t>();
        event.KeyZOrder = Data.ConsumeIntegral<uint8_t>();
    }
    setup.ReportedCount = Data.ConsumeIntegralInRange<int>(-3, 12);
    setup.Input.WantTabs = Data.ConsumeBool();
    setup.Input.RedrawAlways = Data.ConsumeBool();
    setup.Input.FontColor = Data.ConsumeBool() ? clBlack : Data.ConsumeIntegral<uint32_t>();
    setup.Input.Color = Data.ConsumeIntegral<uint32_t>();
    return setup;
}

void Apply(const Setup& S, TColorPainter& Painter) {
    for (const RuleSetup& r : S.Rules) {
        TColorRule& rule = Painter.ColorRules.Add();
        rule.KeyDrawingType = r.Kind;
        rule.ZOrder = r.ZOrder;
        rule.KeyMaxHeight = r.KeyMaxHeight;
        rule.KeyCase = r.KeyCase;
        rule.PartWord = r.PartWord;
        rule.Enabled = r.Enabled;
        rule.DefKeyColor = r.DefKeyColor;
        if (r.UseSetters) {
            rule.SetKeywords(r.Keywords);
            rule.SetKeyLineEndLst(r.LineEnd);
            rule.SetKeyBegEndLst(r.BegEnd);
        } else {
            rule.Keywords = r.Keywords;
            rule.KeyBegEndLst = r.BegEnd;
            rule.KeyLineEndLst = r.LineEnd;
        }
    }
    Painter.SetHotSpot(S.HotSpot);
    Painter.SetColorLimMax(S.ColorLimMax);
    Painter.OnDraw = [&S, &Painter](TColorRule* sender, const char16_t* from, TKeyDescr* a, int& count) {
        Check(sender != nullptr && count == 0 && from != nullptr);
        const int size = Painter.ColorLimMax();
        for (int i = 0; i < size; ++i) Check(a[i] == TKeyDescr{});
        volatile size_t length = std::char_traits<char16_t>::length(from);  // reads up to the zero at ScanLimit
        volatile char16_t before = from[-1];                               // and the one character before
        (void)length;
        (void)before;
        for (int i = 0; i < size && i < static_cast<int>(S.Events.size()); ++i) a[i] = S.Events[static_cast<size_t>(i)];
        count = S.ReportedCount;
    };
}

// A snapshot holding exactly the characters from Base to ScanLimit and the
// zero, so that the sanitizer sees any read outside.
struct Snapshot {
    Snapshot(const std::u16string& Text, int32_t Base, int32_t ScanFrom, int32_t ScanLimit) {
        const size_t length = static_cast<size_t>(ScanLimit - Base);
        Buffer = std::make_unique<char16_t[]>(length + 1);
        std::copy_n(Text.data() + Base, length, Buffer.get());
        Buffer[length] = 0;
        View = TScanSnapshot{Buffer.get(), Base, ScanFrom, ScanLimit};
    }
    std::unique_ptr<char16_t[]> Buffer;
    TScanSnapshot View;
};

std::vector<TKeyDescr> Records(const TKeyDescrList& List, int Count) {
    std::vector<TKeyDescr> records;
    for (int i = 0; i < Count; ++i) records.push_back(List[i]);
    return records;
}

// The runs against the keys, resolved character by character.
void CheckRuns(const std::u16string& Text, const std::vector<TKeyDescr>& Keys, const TColorPainter& Painter, int Runs,
               int32_t ScanFrom, int32_t ScanLimit) {
    const TKeyDescrList& list = Painter.KeyList;
    Check(Runs >= 0 && Runs <= list.Count());
    if (Runs < list.Count()) Check(list[Runs].KeyBeg == kEmptyKey);
    Check(Painter.ColorMap().size() <= static_cast<size_t>(ScanLimit - ScanFrom) + 1);

    const size_t length = static_cast<size_t>(ScanLimit - ScanFrom);
    std::vector<TColorCell> winner(length);
    for (const TKeyDescr& key : Keys) {
        if (key.KeyBeg == kEmptyKey || key.KeyEnd >= kEmptyKey || key.KeyEnd < key.KeyBeg) continue;
        for (int64_t at = std::max(key.KeyBeg, ScanFrom); at <= std::min<int64_t>(key.KeyEnd, ScanLimit - 1); ++at) {
            TColorCell& cell = winner[static_cast<size_t>(at - ScanFrom)];
            if (cell.ZOrder <= key.KeyZOrder) cell = TColorCell{key.KeyColor, key.KeyZOrder, key.KeyByEvent, 1};
        }
    }
    // A pair takes the key of its half of higher ZOrder, a covered half's
    // over an uncovered one's, else its first half's.
    for (size_t i = 0; i + 1 < length; ++i) {
        if (!InsidePair(Text, static_cast<size_t>(ScanFrom) + i + 1)) continue;
        TColorCell& first = winner[i];
        TColorCell& second = winner[i + 1];
        if (second.ZOrder > first.ZOrder || (second.ZOrder == first.ZOrder && second.Covered && !first.Covered)) {
            first = second;
        } else {
            second = first;
        }
        ++i;
    }
    std::vector<bool> inRun(length, false);
    int32_t previousEnd = -1;
    for (int r = 0; r < Runs; ++r) {
        const TKeyDescr& run = list[r];
        Check(run.KeyBeg >= ScanFrom && run.KeyBeg <= run.KeyEnd && run.KeyEnd < ScanLimit);
        Check(run.KeyBeg > previousEnd);
        Check(!InsidePair(Text, static_cast<size_t>(run.KeyBeg)) && !InsidePair(Text, static_cast<size_t>(run.KeyEnd) + 1));
        previousEnd = run.KeyEnd;
        Check(winner[static_cast<size_t>(run.KeyEnd - ScanFrom)].Covered == 1);
        for (int32_t at = run.KeyBeg; at <= run.KeyEnd; ++at) {
            const TColorCell& cell = winner[static_cast<size_t>(at - ScanFrom)];
            inRun[static_cast<size_t>(at - ScanFrom)] = true;
            if (cell.Covered) {
                Check(cell.Color == run.KeyColor && cell.ZOrder == run.KeyZOrder && cell.ByEvent == run.KeyByEvent);
            } else {
                Check(run.KeyColor == 0 && run.KeyZOrder == 0 && run.KeyByEvent == 0);
            }
        }
    }
    // Every character a key of any other colour than the uncovered one won
    // belongs to a run.
    for (size_t i = 0; i < length; ++i) {
        const TColorCell& cell = winner[i];
        if (cell.Covered && (cell.Color != 0 || cell.ZOrder != 0 || cell.ByEvent != 0)) Check(inRun[i]);
    }
}

void CheckKeys(const std::vector<TKeyDescr>& Keys, const TColorPainter& Painter, const TPaintInput& Input,
               int32_t ScanFrom, int32_t ScanLimit) {
    for (const TKeyDescr& key : Keys) {
        if (key.KeyBeg == kEmptyKey) continue;
        Check(Painter.MinKeyPos <= key.KeyBeg && Painter.MaxKeyPos >= key.KeyEnd);
        const bool caretLine = Input.RedrawAlways && key.KeyEnd == Input.SelStart && key.KeyZOrder == 0 &&
                               key.KeyBeg == Input.SelStart - Input.CaretColumn;
        const bool selection = Input.SelLength > 0 && key.KeyBeg == Input.SelStart && key.KeyZOrder == kZSelection;
        if (caretLine || selection || key.KeyEnd < key.KeyBeg) continue;
        Check(key.KeyBeg >= ScanFrom && key.KeyEnd < ScanLimit);
    }
}

// The offsets where lines start (after each CR LF).
std::vector<int32_t> LineStarts(const std::u16string& Text) {
    std::vector<int32_t> starts{0};
    for (size_t at = Text.find(u"\r\n"); at != std::u16string::npos; at = Text.find(u"\r\n", at + 2)) {
        starts.push_back(static_cast<int32_t>(at + 2));
    }
    return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Bytes, size_t Size) {
    FuzzedDataProvider data(Bytes, Size);
    const bool mapped = data.ConsumeBool();
    Setup setup = ReadSetup(data, mapped);
    const uint32_t geometry = data.ConsumeIntegral<uint32_t>();
    const std::u16string text = Piece(data, 2048, mapped);
    const int32_t length = static_cast<int32_t>(text.size());

    // The lines of a paint from a top line in a window of fuzz-chosen height.
    const std::vector<int32_t> starts = LineStarts(text);
    const int32_t lineCount = static_cast<int32_t>(starts.size());
    const int32_t lineHeight = 1 + static_cast<int32_t>(geometry % 16);
    const int32_t top = static_cast<int32_t>((geometry >> 4) % static_cast<uint32_t>(lineCount));
    const int32_t bottom = static_cast<int32_t>((geometry >> 12) % 400);
    const bool caretLineOnly = (geometry >> 24) & 1;
    const auto lineSpan = [&](int32_t line) {
        if (line < 0 || line >= lineCount) return TLineSpan{-1, 0, 0};
        const int32_t start = starts[static_cast<size_t>(line)];
        const int32_t end = line + 1 < lineCount ? starts[static_cast<size_t>(line) + 1] - 2 : length;
        return TLineSpan{start, (line - top) * lineHeight, end - start};
    };
    const int32_t caretLine = static_cast<int32_t>((geometry >> 25) % static_cast<uint32_t>(lineCount));

    TColorPainter windowed;
    TColorPainter whole;
    Apply(setup, windowed);
    Apply(setup, whole);
    const TPaintLines lines = PaintLines(caretLineOnly, caretLine, top, lineCount);
    const int32_t scanFrom = starts[static_cast<size_t>(ScanStartLine(windowed.ColorRules, lines.First))];
    const int32_t scanLimit = ScanLimitOf(lines.First, lines.Count, lineHeight, bottom, scanFrom, lineSpan);
    Check(scanFrom <= scanLimit && scanLimit <= length);

    const int32_t selStart = data.ConsumeIntegralInRange<int32_t>(0, length);
    setup.Input.SelStart = selStart;
    setup.Input.SelLength = data.ConsumeIntegralInRange<int32_t>(0, length - selStart);
    const auto caretLineStart = std::upper_bound(starts.begin(), starts.end(), selStart)[-1];
    setup.Input.CaretColumn = selStart - caretLineStart;

    const Snapshot window(text, SnapshotBase(scanFrom), scanFrom, scanLimit);
    std::u16string entireText = text;
    entireText[static_cast<size_t>(scanLimit)] = 0;  // the string's own zero when scanLimit is its length
    const TScanSnapshot entire{entireText.c_str(), 0, scanFrom, scanLimit};

    for (int paint = 0; paint < 3; ++paint) {
        const int keys = windowed.ScanKeys(window.View, setup.Input);
        Check(keys == whole.ScanKeys(entire, setup.Input));
        const std::vector<TKeyDescr> found = Records(windowed.KeyList, keys);
        Check(found == Records(whole.KeyList, keys));
        Check(windowed.MinKeyPos == whole.MinKeyPos && windowed.MaxKeyPos == whole.MaxKeyPos);
        CheckKeys(found, windowed, setup.Input, scanFrom, scanLimit);

        const int runs = windowed.MergeRuns(window.View, keys);
        Check(runs == whole.MergeRuns(entire, keys));
        Check(Records(windowed.KeyList, runs) == Records(whole.KeyList, runs));
        CheckRuns(text, found, windowed, runs, scanFrom, scanLimit);

        // A colour changed directly reaches the tables at a preparing paint.
        if (windowed.ColorRules.Count() > 0) {
            windowed.ColorRules.Items(0).DefKeyColor ^= 0x00010101;
            whole.ColorRules.Items(0).DefKeyColor ^= 0x00010101;
        }
    }

    // The same text copied line by line out of a control that breaks lines
    // as the native one does (also at lone line feeds and CR CR LF, and with
    // word wrap), then painted: the copy holds exactly the control's text
    // and lines between the scan start and limit.
    {
        const test::FakeEdit edit(text, (geometry >> 26) & 1 ? 1 + (geometry >> 27) % 40 : 0);
        TMemoText copy(edit);
        TReadPlan plan;
        plan.FirstLine = static_cast<int32_t>((geometry >> 4) % static_cast<uint32_t>(edit.Count()));
        plan.StartLine = std::max(0, plan.FirstLine - static_cast<int32_t>((geometry >> 20) % 4));
        plan.Count = caretLineOnly ? 1 : edit.Count() - plan.FirstLine;
        plan.EditLineCount = edit.Count();
        plan.SkipEmptyLastLine = !caretLineOnly;
        plan.TopLine = plan.FirstLine;
        plan.LineHeight = lineHeight;
        plan.ClientBottom = bottom;
        plan.WordWrap = (geometry >> 26) & 1;
        const TScanSnapshot snapshot = copy.Read(plan, 1);
        CheckSnapshot(snapshot);
        Check(snapshot.ScanFrom == edit.LineIndex(plan.StartLine));
        Check(snapshot.ScanLimit <= length);
        const size_t from = static_cast<size_t>(snapshot.ScanFrom);
        Check(std::equal(text.begin() + static_cast<std::ptrdiff_t>(from), text.begin() + snapshot.ScanLimit,
                         snapshot.Text + (snapshot.ScanFrom - snapshot.Base)));
        for (const TCopiedLine& copied : copy.Lines()) {
            Check(copied.Start == edit.LineIndex(copied.Line));
            const int32_t scanned = std::clamp(snapshot.ScanLimit - copied.Start, 0, copied.Length);
            Check(copy.LineText(copied).substr(0, static_cast<size_t>(scanned)) ==
                  std::u16string_view(text).substr(static_cast<size_t>(copied.Start), static_cast<size_t>(scanned)));
        }
        TColorPainter painter;
        Apply(setup, painter);
        const int runs = painter.BuildRuns(snapshot, setup.Input);
        for (int i = 0; i < runs; ++i) {
            const TKeyDescr& run = painter.KeyList[i];
            Check(run.KeyBeg >= snapshot.ScanFrom && run.KeyEnd < snapshot.ScanLimit);
            Check(copy.LineAt(run.KeyBeg) >= 0);
        }
    }

    // Hot-spot tests on the caret's line.
    const TLineSpan line = lineSpan(caretLine);
    const std::u16string_view lineText(text.data() + line.Start, static_cast<size_t>(line.Length));
    const int32_t pointed = line.Start + static_cast<int32_t>(geometry % static_cast<uint32_t>(line.Length + 3)) - 1;
    const std::optional<std::u16string> clicked =
        HotSpotClickText(lineText, line.Start, pointed, setup.HotSpot.BeginChar, setup.HotSpot.EndChar);
    Check(clicked.has_value() == HotSpotTest(lineText, line.Start, pointed, setup.HotSpot.BeginChar,
                                             setup.HotSpot.EndChar));
    Check(!clicked || clicked->size() <= lineText.size());
    Check((ParseKeyColor(lineText) & 0xFF000000u) == 0);
    return 0;
}
