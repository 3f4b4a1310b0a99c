// Copying the scanned lines out of the native control: the offsets of every
// copied line are the control's own, whatever its line breaks.
#include "editor/MemoText.h"

#include "EditorTestSupport.h"
#include "FakeEdit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace qm::test {
namespace {

constexpr int32_t kLineHeight = 10;

// Lines TopLine.. in a client area of Visible whole lines and half another,
// scanned from KeyMaxHeight - 1 lines above.
TReadPlan PlanFor(const FakeEdit& Edit, int32_t TopLine, int32_t Visible, int32_t KeyMaxHeight = 3) {
    TReadPlan plan;
    plan.StartLine = std::max(0, TopLine - (KeyMaxHeight - 1));
    plan.FirstLine = TopLine;
    plan.Count = Edit.Count() - TopLine;
    plan.EditLineCount = Edit.Count();
    plan.SkipEmptyLastLine = true;
    plan.TopLine = TopLine;
    plan.FormatTop = 1;
    plan.LineHeight = kLineHeight;
    plan.ClientBottom = 1 + Visible * kLineHeight + kLineHeight / 2;
    return plan;
}

// The copy against the control's own text and lines.
void ExpectExact(TMemoText& Copy, const FakeEdit& Edit, const TReadPlan& Plan, uint64_t Version = 1) {
    const TScanSnapshot snapshot = Copy.Read(Plan, Version);
    CheckSnapshot(snapshot);
    EXPECT_EQ(snapshot.ScanFrom, Edit.LineIndex(Plan.StartLine));
    const std::u16string& text = Edit.Text();
    const size_t from = static_cast<size_t>(snapshot.ScanFrom);
    EXPECT_EQ(std::u16string(snapshot.Text + (snapshot.ScanFrom - snapshot.Base)),
              text.substr(from, static_cast<size_t>(snapshot.ScanLimit) - from));
    if (snapshot.ScanFrom > 0) {
        EXPECT_EQ(snapshot.Base, snapshot.ScanFrom - 1);
        EXPECT_EQ(snapshot.Text[0], text[from - 1]);
    }
    if (snapshot.ScanLimit > snapshot.ScanFrom) {
        ASSERT_FALSE(Copy.Lines().empty());
    }
    for (const TCopiedLine& line : Copy.Lines()) {
        SCOPED_TRACE(testing::Message() << "line " << line.Line);
        EXPECT_EQ(line.Start, Edit.LineIndex(line.Line));
        EXPECT_EQ(line.Length, Edit.LineLength(line.Start));
        // (Lines above the first tested one may lie past the scan limit: the
        // scan ends where it begins when no line is tested.)
        const auto scanned = static_cast<size_t>(std::clamp(snapshot.ScanLimit - line.Start, 0, line.Length));
        EXPECT_EQ(Copy.LineText(line).substr(0, scanned), text.substr(static_cast<size_t>(line.Start), scanned));
        // Every character of the line and of its line break belongs to it.
        const int32_t next = line.Line + 1 < Edit.Count() ? Edit.LineIndex(line.Line + 1) : line.Start + line.Length;
        for (int32_t at = line.Start; at < std::min(next, snapshot.ScanLimit); ++at) {
            EXPECT_EQ(Copy.Lines()[static_cast<size_t>(Copy.LineAt(at))].Line, line.Line) << "offset " << at;
        }
        EXPECT_EQ(Copy.KnownStart(line.Line), line.Start);
    }
}

TEST(TMemoText, LoneLineFeedsAndCrCrLfInOneViewGiveEveryLineItsOwnStart) {
    // One of each between the same two lines: the error of one cancels the
    // other's at the lines after both.
    std::u16string text;
    for (int i = 0; i < 40; ++i) {
        text += u"<p>line " + Num(i) + u"</p>";
        text += i % 7 == 3 ? u"\n" : i % 7 == 5 ? u"\r\r\n" : u"\r\n";
    }
    text += u"tail \r with a lone carriage return\r\n";
    const FakeEdit edit(text);
    ASSERT_EQ(edit.Count(), 42);
    for (int32_t top : {0, 1, 3, 4, 5, 6, 17, 30, 38, 41}) {
        SCOPED_TRACE(testing::Message() << "top line " << top);
        TMemoText copy(edit);
        ExpectExact(copy, edit, PlanFor(edit, top, 12));
        ExpectExact(copy, edit, PlanFor(edit, top, 12, 1));
    }
    // Breaks of every kind one after another, and empty lines between them.
    const FakeEdit odd(u"a\n\nb\r\r\n\r\r\nc\r\n\nd\r\r\n\re\n");
    TMemoText copy(odd);
    ExpectExact(copy, odd, PlanFor(odd, 2, 20));
    ExpectExact(copy, odd, PlanFor(odd, 0, 3));
}

TEST(TMemoText, ACopyIsUsedAgainWhileTheTextAndTheViewStay) {
    const FakeEdit edit(u"<a>\n<b>\r\r\n<c>\r\n<d>\r\n");
    TMemoText copy(edit);
    const TReadPlan plan = PlanFor(edit, 1, 3);
    ExpectExact(copy, edit, plan, 7);
    const uint64_t asked = edit.Stats().Queries;
    copy.Read(plan, 7);
    EXPECT_EQ(edit.Stats().Queries, asked);
    copy.Read(plan, 8);  // another version of the text
    EXPECT_GT(edit.Stats().Queries, asked);
    const uint64_t again = edit.Stats().Queries;
    copy.Forget();
    copy.Read(plan, 8);
    EXPECT_GT(edit.Stats().Queries, again);
}

TEST(TMemoText, HalfVisibleLinesEmptyLastLinesAndLinesLongerThanOneCopy) {
    // The line that is not wholly visible ends the scan at its start; its
    // start is known all the same.
    const FakeEdit edit(u"one\ntwo\r\r\nthree\r\nfour\r\nfive\r\n");
    TMemoText copy(edit);
    TReadPlan plan = PlanFor(edit, 0, 2);
    const TScanSnapshot snapshot = copy.Read(plan, 1);
    EXPECT_EQ(snapshot.ScanLimit, edit.LineIndex(2));
    EXPECT_EQ(copy.KnownStart(2), edit.LineIndex(2));
    EXPECT_EQ(copy.KnownStart(3), -1);
    // All visible: the empty line after the last line break is no line.
    ExpectExact(copy, edit, PlanFor(edit, 1, 30), 2);
    EXPECT_EQ(copy.Lines().back().Line, 4);
    EXPECT_EQ(copy.CaretLineStart(edit.LineIndex(4) + 2), edit.LineIndex(4));

    // A line beyond what one line copy takes, after a lone line feed.
    const std::u16string longLine = u"<" + std::u16string(70000, u'w') + u">";
    const FakeEdit wide(u"x\n" + longLine + u"\r\r\nafter\r\n");
    TMemoText wideCopy(wide);
    ExpectExact(wideCopy, wide, PlanFor(wide, 0, 5));
    ASSERT_GE(wideCopy.Lines().size(), 2u);
    EXPECT_EQ(wideCopy.Lines()[1].Length, static_cast<int32_t>(longLine.size()));
}

// Typing into a long line: each change the control saw is made to the copy,
// which then answers as a fresh copy would, without asking the control.
TEST(TMemoText, ChangesInsideACopiedLineAreMadeToTheCopy) {
    std::u16string text = u"<p>\r\n<" + std::u16string(70000, u'w') + u">\r\nafter\r\n";
    FakeEdit edit(text);
    TMemoText copy(edit);
    const TReadPlan plan = PlanFor(edit, 0, 5);
    uint64_t version = 1;
    ExpectExact(copy, edit, plan, version);
    struct Change {
        int32_t at, removed;
        std::u16string inserted;
    };
    const int32_t longStart = edit.LineIndex(1);
    const Change changes[] = {{longStart + 35000, 0, u"x"}, {longStart + 35000, 1, u""}, {longStart + 12, 1, u"\"q\""},
                              {longStart, 0, u"<b>"}, {edit.LineIndex(2) + 2, 0, u"e"}, {longStart + 70005, 1, u""}};
    for (const Change& change : changes) {
        SCOPED_TRACE(testing::Message() << "change at " << change.at);
        ASSERT_TRUE(copy.Apply(change.at, change.removed, change.inserted, ++version));
        text.replace(static_cast<size_t>(change.at), static_cast<size_t>(change.removed), change.inserted);
        edit.SetText(text);
        const uint64_t asked = edit.Stats().Queries;
        copy.Read(plan, version);
        EXPECT_EQ(edit.Stats().Queries, asked);
        ExpectExact(copy, edit, plan, version);
        copy.Forget();
        ExpectExact(copy, edit, plan, version);
        EXPECT_EQ(copy.ChangedFrom(), INT32_MAX);
    }
    // Changes the copy cannot take: a line break, past the line's end,
    // outside the copied lines. The copy is made again, and says where the
    // text changed.
    const int32_t lineEnd = edit.LineIndex(1) + static_cast<int32_t>(edit.LineLength(edit.LineIndex(1)));
    EXPECT_FALSE(copy.Apply(longStart + 5, 0, u"\r\n", ++version));
    EXPECT_FALSE(copy.Apply(lineEnd - 1, 3, u"", ++version));
    EXPECT_FALSE(copy.Apply(static_cast<int32_t>(text.size()) + 10, 0, u"z", ++version));
    text.insert(static_cast<size_t>(longStart + 40000), u"<i>");
    edit.SetText(text);
    ExpectExact(copy, edit, plan, ++version);
    EXPECT_EQ(copy.ChangedFrom(), longStart + 40000);
}

TEST(TMemoText, WithWordWrapLinesFollowEachOtherWithoutALineBreak) {
    const FakeEdit edit(u"abcdefghij<b>\nxy\r\r\nlong wrapped <i>line</i>\r\nend", 5);
    ASSERT_EQ(edit.LineIndex(1), 5);
    for (int32_t top = 0; top < edit.Count(); ++top) {
        SCOPED_TRACE(testing::Message() << "top line " << top);
        TMemoText copy(edit);
        TReadPlan plan = PlanFor(edit, top, 4, 2);
        plan.WordWrap = true;
        ExpectExact(copy, edit, plan);
    }
}

}  // namespace
}  // namespace qm::test
