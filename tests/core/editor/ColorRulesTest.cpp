#include "editor/ColorRules.h"
#include "ui/Errors.h"

#include "EditorTestSupport.h"

#include <string>

namespace qm::test {
namespace {

TEST(ParseKeyColor, NamesHexFormsAndGarbage) {
    EXPECT_EQ(ParseKeyColor(u"red"), clRed);
    EXPECT_EQ(ParseKeyColor(u"ReD"), clRed);
    EXPECT_EQ(ParseKeyColor(u"  silver  "), clSilver);
    EXPECT_EQ(ParseKeyColor(u"Fuchsia"), clFuchsia);
    EXPECT_EQ(ParseKeyColor(u"navy"), clNavy);
    // RRGGBB with or without "#" (anywhere), red and blue exchanged.
    EXPECT_EQ(ParseKeyColor(u"#FF0000"), 0x000000FFu);
    EXPECT_EQ(ParseKeyColor(u"FF0000"), 0x000000FFu);
    EXPECT_EQ(ParseKeyColor(u"#0000ff"), 0x00FF0000u);
    EXPECT_EQ(ParseKeyColor(u"12#3456"), 0x00563412u);
    EXPECT_EQ(ParseKeyColor(u"#123456"), 0x00563412u);
    // "$" literals, a sign allowed; the top byte is dropped.
    EXPECT_EQ(ParseKeyColor(u"$FF"), 0x00FF0000u);
    EXPECT_EQ(ParseKeyColor(u"#$00FF00"), 0x0000FF00u);
    EXPECT_EQ(ParseKeyColor(u"-$1"), 0x00FFFFFFu);
    EXPECT_EQ(ParseKeyColor(u"AB123456"), 0x00563412u);
    // Neither a name nor a number: white.
    EXPECT_EQ(ParseKeyColor(u"crimson"), clWhite);
    EXPECT_EQ(ParseKeyColor(u"FF 00 00"), clWhite);
    EXPECT_EQ(ParseKeyColor(u"1$2"), clWhite);
    EXPECT_EQ(ParseKeyColor(u"$"), clWhite);
    EXPECT_EQ(ParseKeyColor(u""), clWhite);
    EXPECT_EQ(ParseKeyColor(u"##00FF00"), clWhite);
    EXPECT_EQ(ParseKeyColor(u"123456789"), clWhite);  // more than 32 bits
}

TEST(ParseKeyColor, OnlyTheFirstTenCharactersCount) {
    // Twelve digits would not fit in 32 bits; their first ten do.
    EXPECT_EQ(ParseKeyColor(u"00FF00FF00FF"), 0x0000FF00u);
    EXPECT_EQ(ParseKeyColor(u"silver    x"), clWhite);   // "SILVER    " is no name
    EXPECT_EQ(ParseKeyColor(u"  silver    "), clSilver);  // the spaces go first
}

TEST(TColorRule, DefaultsAndAnUnpreparedRuleHasNoKeys) {
    TColorRule rule;
    EXPECT_EQ(rule.KeyDrawingType, dtBeginEnd);
    EXPECT_EQ(rule.KeyMaxHeight, 1);
    EXPECT_EQ(rule.DefKeyColor, clRed);
    EXPECT_EQ(rule.KeySelColor, clYellow);
    EXPECT_EQ(rule.KeyBrushColor, clWindow);
    EXPECT_TRUE(rule.Enabled);
    EXPECT_FALSE(rule.KeyCase || rule.PartWord);
    EXPECT_EQ(rule.KeyTable, nullptr);
    EXPECT_FALSE(rule.PrepareKeys());
    ASSERT_NE(rule.KeyTable, nullptr);
    EXPECT_EQ((*rule.KeyTable)[0].BegKey[0], 0);
}

TEST(TColorRule, KeywordLinesGiveTheKeywordAndTheWholeLine) {
    TColorRule rule;
    rule.SetKeywords({u"HTML", u"", u"   ", u"body;navy", u";navy", u" a b ;#00FF00"});
    const std::vector<TKeywordEntry>& e = rule.KeywordEntries;
    ASSERT_EQ(e.size(), 7u);
    EXPECT_EQ(e[0].Keyword, u"HTML");
    EXPECT_EQ(e[0].Color, clRed);
    EXPECT_FALSE(e[0].RuleDefault);
    EXPECT_EQ(e[1].Keyword, u"HTML");
    EXPECT_TRUE(e[1].RuleDefault);
    EXPECT_EQ(e[2].Keyword, u"BODY");
    EXPECT_EQ(e[2].Color, clNavy);
    EXPECT_EQ(e[3].Keyword, u"BODY;NAVY");
    EXPECT_TRUE(e[3].RuleDefault);
    EXPECT_EQ(e[4].Keyword, u";NAVY");  // blank keyword part: only the whole line
    EXPECT_EQ(e[5].Keyword, u" A B ");  // spaces are part of the keyword
    EXPECT_EQ(e[5].Color, clLime);
    EXPECT_EQ(e[6].Keyword, u" A B ;#00FF00");
    EXPECT_EQ(rule.Keywords.size(), 6u);

    // Case is kept for a case-sensitive rule; KeyCase alone recompiles nothing.
    rule.KeyCase = true;
    EXPECT_EQ(rule.KeywordEntries[0].Keyword, u"HTML");
    rule.SetKeywords({u"Body"});
    EXPECT_EQ(rule.KeywordEntries[0].Keyword, u"Body");
    // Setting a rule's own list compiles it in place.
    rule.Keywords.push_back(u"Head");
    rule.SetKeywords(rule.Keywords);
    EXPECT_EQ(rule.Keywords.size(), 2u);
    EXPECT_EQ(rule.KeywordEntries.size(), 4u);
}

TEST(TColorRule, PairLinesFillTheKeyTable) {
    TColorRule rule;
    rule.DefKeyColor = clMaroon;
    rule.SetKeyBegEndLst({u"<;>", u"<;>;blue", u"\";\"", u"<!--;-->;olive", u"1234567;abcdefgh", u"a;;red"});
    const TKeyTable& t = *rule.KeyTable;
    EXPECT_EQ(std::u16string_view(t[0].BegKey), u"<");
    EXPECT_EQ(std::u16string_view(t[0].EndKey), u">");
    EXPECT_EQ(t[0].PairColor, clMaroon);
    EXPECT_EQ(t[1].PairColor, clBlue);
    EXPECT_EQ(std::u16string_view(t[2].BegKey), u"\"");
    EXPECT_EQ(std::u16string_view(t[2].EndKey), u"\"");
    EXPECT_EQ(std::u16string_view(t[3].BegKey), u"<!--");
    EXPECT_EQ(std::u16string_view(t[3].EndKey), u"-->");
    EXPECT_EQ(t[3].PairColor, clOlive);
    EXPECT_EQ(std::u16string_view(t[4].BegKey), u"123456");
    EXPECT_EQ(std::u16string_view(t[4].EndKey), u"abcdef");
    EXPECT_EQ(std::u16string_view(t[5].EndKey), u"");  // filled, but its end key never matches
    EXPECT_EQ(t[5].PairColor, clRed);
    EXPECT_EQ(rule.KeyBegEndLst.size(), 6u);

    // No ";" or a leading ";": an empty entry.
    rule.SetKeyBegEndLst({u"<;>", u"no semicolon", u";>", u"x;y"});
    EXPECT_EQ(std::u16string_view((*rule.KeyTable)[1].BegKey), u"");
    EXPECT_EQ(std::u16string_view((*rule.KeyTable)[2].BegKey), u"");
    EXPECT_EQ(std::u16string_view((*rule.KeyTable)[3].BegKey), u"x");
}

TEST(TColorRule, LineEndLinesFillTheKeyTable) {
    TColorRule rule;
    rule.DefKeyColor = clPurple;
    rule.SetKeyLineEndLst({u"//;green", u";;navy", u"rem", u";x", u"", u"#;red"});
    const TKeyTable& t = *rule.KeyTable;
    EXPECT_EQ(std::u16string_view(t[0].BegKey), u"//");
    EXPECT_EQ(t[0].PairColor, clGreen);
    EXPECT_EQ(std::u16string_view(t[1].BegKey), u";");
    EXPECT_EQ(t[1].PairColor, clNavy);
    EXPECT_EQ(std::u16string_view(t[2].BegKey), u"rem");
    EXPECT_EQ(t[2].PairColor, clPurple);
    EXPECT_EQ(std::u16string_view(t[3].BegKey), u";x");  // the whole line is the key
    EXPECT_EQ(std::u16string_view(t[4].BegKey), u"");    // an empty line ends the table
    EXPECT_EQ(std::u16string_view(t[5].BegKey), u"#");
    for (const TKeyPair& pair : t) EXPECT_EQ(std::u16string_view(pair.EndKey), u"");
}

TEST(TDrawRules, EveryPaintPreparesUntilSomeRuleHasKeyLinesThenEverySecond) {
    TDrawRules rules;
    TColorRule& rule = rules.Add();
    rules.Add().KeyDrawingType = dtKeyShow;  // no lines of its own
    for (int paint = 1; paint <= 3; ++paint) {
        rules.PrepareRules();
        EXPECT_TRUE(rules.PrepareNeeded) << "paint " << paint;
    }

    // Lines filled directly, as a stored form does: the next paint prepares.
    rule.KeyBegEndLst = {u"<;>"};
    for (int paint = 1; paint <= 6; ++paint) {
        const TColor color = 0x100 + static_cast<TColor>(paint);
        rule.DefKeyColor = color;
        rules.PrepareRules();
        const bool prepared = paint % 2 == 1;
        EXPECT_EQ((*rule.KeyTable)[0].PairColor == color, prepared) << "paint " << paint;
    }
    // A disabled rule is prepared too.
    rule.Enabled = false;
    rule.DefKeyColor = clAqua;
    rules.PrepareRules();
    EXPECT_EQ((*rule.KeyTable)[0].PairColor, clAqua);
}

TEST(TColorRule, AssignCopiesSettingsAndListsButNotSelColorOrIntChar) {
    TColorRule source;
    source.KeyDrawingType = dtBeginLineEnd;
    source.ZOrder = 4;
    source.KeyMaxHeight = 2;
    source.PartWord = true;
    source.KeyCase = true;
    source.Enabled = false;
    source.DefKeyColor = clTeal;
    source.KeyBrushColor = clAqua;
    source.KeySelColor = clLime;
    source.IntChar = u"abc";
    source.Keywords = {u"td"};
    source.KeyBegEndLst = {u"<;>"};
    source.KeyLineEndLst = {u"//"};

    TColorRule target;
    target.KeySelColor = clNavy;  // the target's own: kept
    target.IntChar = u"own";
    target.Assign(source);
    EXPECT_EQ(target.KeyDrawingType, dtBeginLineEnd);
    EXPECT_EQ(target.ZOrder, 4);
    EXPECT_EQ(target.KeyMaxHeight, 2);
    EXPECT_TRUE(target.PartWord);
    EXPECT_TRUE(target.KeyCase);
    EXPECT_FALSE(target.Enabled);
    EXPECT_EQ(target.DefKeyColor, clTeal);
    EXPECT_EQ(target.KeyBrushColor, clAqua);
    EXPECT_EQ(target.KeySelColor, clNavy);
    EXPECT_EQ(target.IntChar, u"own");
    // A target with the defaults keeps those.
    TColorRule fresh;
    fresh.Assign(source);
    EXPECT_EQ(fresh.KeySelColor, clYellow);
    EXPECT_EQ(fresh.IntChar, u"");
    EXPECT_EQ(target.KeyLineEndLst, source.KeyLineEndLst);
    ASSERT_EQ(target.KeywordEntries.size(), 2u);
    EXPECT_EQ(target.KeywordEntries[0].Keyword, u"td");  // KeyCase came first: not upper-cased
    EXPECT_EQ(target.KeywordEntries[0].Color, clTeal);
    // The pair list was set last: its pairs are in the table until the
    // rule prepares, which puts its line-end keys there.
    EXPECT_EQ(std::u16string_view((*target.KeyTable)[0].EndKey), u">");
    EXPECT_TRUE(target.PrepareKeys());
    EXPECT_EQ(std::u16string_view((*target.KeyTable)[0].BegKey), u"//");
    EXPECT_EQ(std::u16string_view((*target.KeyTable)[0].EndKey), u"");
}

TEST(TDrawRules, AssignGivesTwoIndependentRuleSets) {
    TDrawRules first;
    AddEditorRules(first);
    TDrawRules second;
    second.Add();
    second.Assign(first);
    ASSERT_EQ(second.Count(), 3);
    EXPECT_EQ(second.Items(2).KeyBegEndLst, first.Items(2).KeyBegEndLst);
    EXPECT_EQ(second.Items(2).DefKeyColor, kCommentColor);
    EXPECT_NE(&second.Items(0), &first.Items(0));

    second.Items(0).DefKeyColor = clBlue;
    second.Items(1).KeyBegEndLst.push_back(u"'';''");
    EXPECT_EQ(first.Items(0).DefKeyColor, kTagColor);
    EXPECT_EQ(first.Items(1).KeyBegEndLst.size(), 1u);

    // A collection assigned to itself keeps its rules.
    first.Assign(first);
    EXPECT_EQ(first.Count(), 3);
    EXPECT_THROW(first.Items(3), ListIndexError);
    try {
        first.Items(-1);
        ADD_FAILURE() << "no error for index -1";
    } catch (const ListIndexError& error) {
        EXPECT_STREQ(error.what(), "List index out of bounds (-1)");
    }
}

}  // namespace
}  // namespace qm::test
