#include "editor/UndoHistory.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

// A text with its history, changed the way the editor changes it.
struct Document {
    std::u16string Text;
    TUndoHistory History;

    explicit Document(size_t limit = TUndoHistory::kDefaultLimit) : History(limit) {}
    void Replace(int32_t at, size_t length, std::u16string_view with, TChangeKind kind = TChangeKind::Other) {
        TTextChange change{at, Text.substr(static_cast<size_t>(at), length), std::u16string(with)};
        Text.replace(static_cast<size_t>(at), length, with);
        History.Record(std::move(change), kind, at, static_cast<int32_t>(length));
    }
    void Type(std::u16string_view keys) {
        for (char16_t key : keys) {
            if (key == u'\b') {
                const int32_t at = static_cast<int32_t>(caret) - 1;
                Replace(at, 1, u"", TChangeKind::Erased);
                caret = static_cast<size_t>(at);
            } else {
                Replace(static_cast<int32_t>(caret), 0, std::u16string(1, key), TChangeKind::Typed);
                ++caret;
            }
        }
    }
    bool Undo() {
        const TUndoStep* step = History.Undo();
        if (!step) return false;
        for (auto change = step->Changes.rbegin(); change != step->Changes.rend(); ++change)
            Text.replace(static_cast<size_t>(change->At), change->Inserted.size(), change->Removed);
        return true;
    }
    bool Redo() {
        const TUndoStep* step = History.Redo();
        if (!step) return false;
        for (const TTextChange& change : step->Changes)
            Text.replace(static_cast<size_t>(change.At), change.Removed.size(), change.Inserted);
        return true;
    }
    size_t caret = 0;
};

TEST(UndoHistory, UndoGoesBackStepByStepToTheOpenedTextAndRedoForward) {
    Document doc;
    doc.Text = u"<p>word</p>";
    doc.History.Clear(true);
    doc.caret = 3;
    doc.Type(u"new \u0101\U0001F600 text ");            // three words, typed
    doc.Replace(3, 0, u"<b>");                           // a tag inserted: one step
    doc.caret = doc.Text.size() - 4;
    doc.Type(u"\b\b\b");                                 // three Backspaces: one step
    doc.Replace(0, 3, u"<div>");                         // a paste over a selection
    const std::u16string last = doc.Text;
    EXPECT_FALSE(doc.History.AtSaved());

    std::vector<std::u16string> seen{doc.Text};
    while (doc.Undo()) seen.push_back(doc.Text);
    EXPECT_EQ(doc.Text, u"<p>word</p>");
    EXPECT_TRUE(doc.History.AtSaved());
    ASSERT_EQ(seen.size(), 7u) << "paste, erase, tag and three typed words";
    EXPECT_EQ(seen[4], u"<p>new \u0101\U0001F600 word</p>");
    EXPECT_EQ(seen[5], u"<p>new word</p>");

    while (doc.Redo()) {}
    EXPECT_EQ(doc.Text, last);
    // A new change after an undo clears what could be redone.
    doc.Undo();
    doc.Replace(0, 0, u"x");
    EXPECT_FALSE(doc.History.CanRedo());
    EXPECT_FALSE(doc.Redo());
}

TEST(UndoHistory, SavedTextIsKnownAgainAndAGroupIsOneStep) {
    Document doc;
    doc.Text = u"a.b.c.d";
    doc.History.Clear(true);
    doc.caret = 7;
    doc.Type(u"xy");
    doc.History.MarkSaved();
    doc.Type(u"z");  // does not join the step that ends at the saved text
    EXPECT_FALSE(doc.History.AtSaved());
    doc.Undo();
    EXPECT_TRUE(doc.History.AtSaved());
    EXPECT_EQ(doc.Text, u"a.b.c.dxy");

    doc.History.BeginGroup();  // Replace All of "." by "->"
    for (size_t at = doc.Text.find(u'.'); at != std::u16string::npos; at = doc.Text.find(u'.', at + 2))
        doc.Replace(static_cast<int32_t>(at), 1, u"->");
    doc.History.EndGroup();
    EXPECT_EQ(doc.Text, u"a->b->c->dxy");
    EXPECT_FALSE(doc.History.CanRedo()) << "the saved-and-undone z is gone";
    doc.Undo();
    EXPECT_EQ(doc.Text, u"a.b.c.dxy");
    EXPECT_TRUE(doc.History.AtSaved());
}

TEST(UndoHistory, TheBoundDropsTheOldestStepsAndTheSavedPointWithThem) {
    Document doc(4096);
    doc.History.Clear(true);
    const std::u16string block(300, u'x');
    for (int i = 0; i < 40; ++i) doc.Replace(0, 0, block);
    EXPECT_LE(doc.History.Bytes(), 4096u);
    EXPECT_GT(doc.History.StepCount(), 3u);
    int undone = 0;
    while (doc.Undo()) ++undone;
    EXPECT_EQ(static_cast<size_t>(undone), doc.History.StepCount());
    EXPECT_EQ(doc.Text.size(), (40u - static_cast<size_t>(undone)) * block.size());
    EXPECT_FALSE(doc.History.AtSaved()) << "the opened text is out of reach";
}

// The text on either side of a step, made in one pass for changes that run
// forward (Replace All) and change by change for others.
TEST(UndoHistory, TextAcrossAStepBothWays) {
    const std::u16string before = u"a.b.c", after = u"a->b->c";
    TUndoStep forward;
    forward.Changes = {{1, u".", u"->"}, {4, u".", u"->"}};
    EXPECT_EQ(TextAcross(before, forward, false), after);
    EXPECT_EQ(TextAcross(after, forward, true), before);
    TUndoStep backward;  // the same made from the end
    backward.Changes = {{3, u".", u"->"}, {1, u".", u"->"}};
    EXPECT_EQ(TextAcross(before, backward, false), after);
    EXPECT_EQ(TextAcross(after, backward, true), before);
    EXPECT_THROW(TextAcross(u"a", forward, false), std::out_of_range);
}

}  // namespace
}  // namespace qm
