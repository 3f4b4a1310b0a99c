// A paint of part of a long line starts its searches at a resume point: its
// runs must be those of a scan of the whole text, also after the text was
// changed before, inside and after the part, and after the rules changed.
#include "editor/ColorPainter.h"
#include "editor/ScanResume.h"

#include "EditorTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qm::test {
namespace {

// What each character of the part shows: the run over it, or nothing.
std::vector<TKeyDescr> Shown(const std::vector<TKeyDescr>& Runs, int32_t From, int32_t To) {
    std::vector<TKeyDescr> shown(static_cast<size_t>(To - From), TKeyDescr{-1, -1, 0, 0, 0});
    for (const TKeyDescr& run : Runs) {
        for (int32_t at = std::max(run.KeyBeg, From); at <= std::min(run.KeyEnd, To - 1); ++at) {
            shown[static_cast<size_t>(at - From)] = TKeyDescr{0, 0, run.KeyColor, run.KeyZOrder, run.KeyByEvent};
        }
    }
    return shown;
}

// The runs a fresh painter with the same set-up finds over the whole text.
std::vector<TKeyDescr> WholeRuns(const std::function<void(TColorPainter&)>& SetUp, const std::u16string& Text,
                                 const TPaintInput& Input) {
    TColorPainter whole;
    SetUp(whole);
    TPaintInput all = Input;
    all.KeysFrom = all.KeysTo = -1;
    return PaintRuns(whole, Text, all);
}

std::vector<TKeyDescr> PartRuns(TColorPainter& Painter, const std::u16string& Text, TPaintInput Input, int32_t From,
                                int32_t To) {
    Input.KeysFrom = From;
    Input.KeysTo = To;
    return PaintRuns(Painter, Text, Input);
}

std::u16string MinifiedRows(int Rows) {
    std::u16string text;
    for (int row = 0; row < Rows; ++row) {
        const std::u16string n = Num(row);
        text += u"<tr><td class=\"c" + n + u"\">cell " + n + u"</td><!-- row " + n + u" --></tr>";
    }
    return text;
}

TEST(ScanResume, PartOfAMinifiedLineAfterEditsEverywhere) {
    const auto setUp = [](TColorPainter& painter) { AddEditorRules(painter.ColorRules); };
    TColorPainter painter;
    setUp(painter);
    std::u16string text = MinifiedRows(2000);  // about 100 KB on one line
    TPaintInput input;
    input.FontColor = clBlue;
    std::mt19937 random(7);
    // The part keeps to the middle; edits land before it, inside it and after it.
    const std::vector<std::u16string> typed = {u"x", u"\"", u"<", u">", u"<!--", u"-->", u"\"a\"", u""};
    for (int round = 0; round < 60; ++round) {
        const auto length = static_cast<int32_t>(text.size());
        const int32_t from = length / 2 + static_cast<int32_t>(random() % 2000) - 1000;
        const int32_t to = from + 120;
        const auto runs = PartRuns(painter, text, input, from, to);
        ASSERT_EQ(Shown(runs, from, to), Shown(WholeRuns(setUp, text, input), from, to)) << "round " << round;
        if (round > 0) {
            EXPECT_GT(painter.Resume.Count(), 0u) << "round " << round;
        }
        for (const TKeyDescr& run : runs) EXPECT_TRUE(run.KeyBeg >= from && run.KeyEnd < to);

        // The next change of the text, told to the painter.
        int32_t at = 0;
        switch (round % 3) {
        case 0: at = from - 1 - static_cast<int32_t>(random() % 20000); break;  // before
        case 1: at = from + static_cast<int32_t>(random() % 120); break;        // inside
        default: at = to + static_cast<int32_t>(random() % 20000); break;       // after
        }
        at = std::clamp(at, 0, length);
        const std::u16string& insert = typed[random() % typed.size()];
        const size_t removed = insert.empty() ? 1 + random() % 3 : random() % 2;
        text.replace(static_cast<size_t>(at), std::min(removed, text.size() - static_cast<size_t>(at)), insert);
        painter.Resume.Edited(at);
    }
}

// Random rules of the searching kinds and hot spots over a small alphabet,
// so that keys meet, nest, and begin keys go without their ends; the halves
// of an emoji among the text's characters make pairs that parts cut.
TEST(ScanResume, RandomRulesAndTextsAgreeWithTheWholeScan) {
    std::mt19937 random(11);
    const std::u16string_view alphabet = u"<>\"!-ab \x1e\x1f\t\xD83D\xDE00";
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    for (int trial = 0; trial < 150; ++trial) {
        std::vector<std::vector<std::u16string>> pairs(1 + pick(3));
        std::vector<TKeyDrawingType> kinds;
        for (auto& lines : pairs) {
            kinds.push_back(pick(4) == 0 ? dtBeginLineEnd : dtBeginEnd);
            for (size_t n = 1 + pick(2); n > 0; --n) {
                std::u16string beg(1 + pick(2), u' '), end(1 + pick(2), u' ');
                for (char16_t& c : beg) c = alphabet[pick(6)];
                for (char16_t& c : end) c = alphabet[pick(6)];
                lines.push_back(kinds.back() == dtBeginLineEnd ? beg : beg + u";" + end);
            }
        }
        const bool hotSpots = pick(2) == 0;
        const auto setUp = [&](TColorPainter& painter) {
            for (size_t r = 0; r < pairs.size(); ++r) {
                TColorRule& rule = painter.ColorRules.Add();
                rule.KeyDrawingType = kinds[r];
                rule.ZOrder = static_cast<uint8_t>(r);
                rule.DefKeyColor = static_cast<TColor>(0x10 + r);
                if (kinds[r] == dtBeginLineEnd) {
                    rule.SetKeyLineEndLst(pairs[r]);
                } else {
                    rule.SetKeyBegEndLst(pairs[r]);
                }
            }
            THotSpot spot;
            spot.Active = hotSpots;
            painter.SetHotSpot(spot);
        };
        std::u16string text(20000 + pick(20000), u' ');
        for (char16_t& c : text) c = alphabet[pick(alphabet.size())];
        TColorPainter painter;
        setUp(painter);
        TPaintInput input;
        input.FontColor = clBlue;
        input.WantTabs = pick(2) == 0;
        for (int paint = 0; paint < 4; ++paint) {
            const auto length = static_cast<int32_t>(text.size());
            const int32_t from = static_cast<int32_t>(pick(static_cast<size_t>(length)));
            const int32_t to = std::min(length, from + 1 + static_cast<int32_t>(pick(300)));
            ASSERT_EQ(Shown(PartRuns(painter, text, input, from, to), from, to),
                      Shown(WholeRuns(setUp, text, input), from, to))
                << "trial " << trial << " paint " << paint;
            const auto at = static_cast<int32_t>(pick(text.size()));
            text.insert(static_cast<size_t>(at), 1, alphabet[pick(alphabet.size())]);
            painter.Resume.Edited(at);
        }
    }
}

TEST(ScanResume, PointsGoWithAChangeOfTheRules) {
    const std::u16string text = MinifiedRows(1000);
    const auto middle = static_cast<int32_t>(text.size() / 2);
    TColorPainter painter;
    AddEditorRules(painter.ColorRules);
    TPaintInput input;
    input.FontColor = clBlue;
    for (int32_t from = middle; from < middle + 20000; from += 2500) PartRuns(painter, text, input, from, from + 100);
    ASSERT_GT(painter.Resume.Count(), 0u);
    // The second rule now pairs the letter c, three to a row: which of them
    // begin a key changes from row to row, so a scan from a point made for
    // the old rules would pair them differently.
    const auto change = [](TColorPainter& p) { p.ColorRules.Items(1).SetKeyBegEndLst({u"c;c"}); };
    change(painter);
    const auto setUp = [&](TColorPainter& p) {
        AddEditorRules(p.ColorRules);
        change(p);
    };
    for (int32_t from = middle; from < middle + 20000; from += 2500) {
        EXPECT_EQ(Shown(PartRuns(painter, text, input, from, from + 100), from, from + 100),
                  Shown(WholeRuns(setUp, text, input), from, from + 100))
            << from;
    }
}

}  // namespace
}  // namespace qm::test
