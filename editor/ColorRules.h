// The colouring rules of the editor control: TColorRule, the collection
// TDrawRules, the hot-spot settings THotSpot and ParseKeyColor. Window-free.
//
// A rule names the pieces of text it colours (its keys) in one of four ways:
// keywords, begin/end key pairs, begin keys that run to the end of their line,
// or ranges supplied by the control's OnDraw event. Texts are UTF-16; a
// character is one code unit. The three key lists are plain lines; before painting they are parsed into KeywordEntries and the
// 40-entry KeyTable, which the scanner walks.
#pragma once

#include "editor/ColorTypes.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

class TColorMemo;  // the Win32 editor control that owns a rule collection
class TDrawRules;

// The colour text of a rule-list line as a colour: one of the 16 colour names
// in any case ("red", " Silver "), or six hexadecimal digits RRGGBB with or
// without a leading "#", or a "$" hexadecimal literal. Spaces around the text
// are ignored and only its first 10 characters count. Anything else is white.
TColor ParseKeyColor(std::u16string_view Text);

// The kind of a rule (one byte).
enum TKeyDrawingType : uint8_t {
    dtKeyShow = 0,       // every occurrence of a keyword of Keywords
    dtEventDraw = 1,     // ranges reported by the control's OnDraw event
    dtBeginEnd = 2,      // from a begin key of KeyBegEndLst to its end key
    dtBeginLineEnd = 3,  // from a begin key of KeyLineEndLst to the end of its line
};

inline constexpr int kKeyTableSize = 40;      // entries of a KeyTable
inline constexpr int kMaxPairKeyLength = 6;   // characters of a begin or end key
inline constexpr int kMaxKeywordLength = 30;  // characters of a keyword that are searched

// One entry of a KeyTable. An entry whose BegKey is empty ends the table.
struct TKeyPair {
    char16_t BegKey[kMaxPairKeyLength + 1];  // up to 6 characters and a zero
    char16_t EndKey[kMaxPairKeyLength + 1];  // the same; all zero for line-end keys
    TColor PairColor;
    int32_t FoundAt;  // scanner's scratch: where the begin key was last found
};

using TKeyTable = std::array<TKeyPair, kKeyTableSize>;

// One compiled keyword. RuleDefault entries take the rule's DefKeyColor as it
// is when the text is scanned; the others carry their own Color.
struct TKeywordEntry {
    std::u16string Keyword;
    TColor Color = 0;
    bool RuleDefault = false;
};

class TColorRule {
public:
    // A rule with the defaults below; Memo is taken from the collection.
    // Rules join a collection through TDrawRules::Add.
    explicit TColorRule(TDrawRules* Collection = nullptr);
    TColorRule(const TColorRule&) = delete;
    TColorRule& operator=(const TColorRule&) = delete;

    // Published properties, in the order a stored form writes them. All are
    // plain stores; the three lists may be filled directly (as a stored form
    // does), which takes effect at the next paint that prepares the rules,
    // or through the setters below, which compile at once.
    uint8_t ZOrder = 0;             // higher wins where keys overlap
    std::u16string IntChar;         // stored only
    std::vector<std::u16string> Keywords;
    std::vector<std::u16string> KeyBegEndLst;
    std::vector<std::u16string> KeyLineEndLst;
    int32_t KeyMaxHeight = 1;       // lines a key may span; read from rule 0 only
    TKeyDrawingType KeyDrawingType = dtBeginEnd;
    bool KeyCase = false;           // keywords match case-sensitively
    bool Enabled = true;
    bool PartWord = false;          // keywords also match inside words
    TColor DefKeyColor = clRed;     // colour of keys whose line names none
    TColor KeySelColor = clYellow;  // stored only
    TColor KeyBrushColor = clWindow;  // stored and assigned only

    // Compiles the lines into KeywordEntries, then copies them into Keywords
    // (unless Value is Keywords itself).
    void SetKeywords(const std::vector<std::u16string>& Value);
    // Fills KeyTable with begin/end pairs, then copies the lines.
    void SetKeyBegEndLst(const std::vector<std::u16string>& Value);
    // Fills KeyTable with line-end keys, then copies the lines.
    void SetKeyLineEndLst(const std::vector<std::u16string>& Value);

    // Copies the kind, ZOrder, KeyMaxHeight, KeyCase, Enabled, PartWord,
    // DefKeyColor and KeyBrushColor, then sets Keywords, KeyLineEndLst and
    // KeyBegEndLst through their setters. KeySelColor and IntChar stay.
    void Assign(const TColorRule& Source);

    // Rebuilds the key tables from the rule's own lists for its kind. True
    // when the rule has key lines (KeyBegEndLst, or Keywords for a keyword
    // rule, or KeyLineEndLst for a line-end rule), whether or not they
    // yielded entries.
    bool PrepareKeys();

    // Not published.
    TColorMemo* Memo = nullptr;
    // Created by the first fill (a setter or PrepareKeys); one table serves
    // both pair lists, the one filled last wins. Null: the rule has no keys.
    std::unique_ptr<TKeyTable> KeyTable;
    // Compiled from Keywords: per non-blank line the keyword part (when not
    // blank) in the line's colour, then the whole line with the rule default.
    // Upper-cased unless KeyCase was True when they were compiled.
    std::vector<TKeywordEntry> KeywordEntries;
    // The scanner's upper-case copy of the scanned text; grows, never shrinks.
    std::vector<char16_t> UpperText;

private:
    void CompileKeywords(const std::vector<std::u16string>& Lines);
    void FillPairTable(const std::vector<std::u16string>& Lines);
    void FillLineEndTable(const std::vector<std::u16string>& Lines);
    TKeyTable& ClearedKeyTable();
    TColor LineColor(std::u16string_view ColorText) const;
    void PutKeyword(size_t Index, std::u16string_view Keyword, TColor Color, bool RuleDefault);
};

// The ordered rule collection of an editor control; owns its rules.
class TDrawRules {
public:
    explicit TDrawRules(TColorMemo* Memo = nullptr);
    TDrawRules(const TDrawRules&) = delete;
    TDrawRules& operator=(const TDrawRules&) = delete;

    TColorMemo* Memo;
    bool PrepareNeeded = true;

    int Count() const { return static_cast<int>(FItems.size()); }
    // The rule at Index (0-based); ListIndexError outside 0..Count-1.
    TColorRule& Items(int Index);
    const TColorRule& Items(int Index) const;
    // Appends a new rule with the defaults and returns it.
    TColorRule& Add();
    void Clear();

    // Replaces the rules by independent copies of Source's rules (each new
    // rule assigned from its source rule). PrepareNeeded is left alone;
    // assigning the collection to itself changes nothing.
    void Assign(const TDrawRules& Source);

    // Called at the start of every paint. While PrepareNeeded is True every
    // rule, enabled or not, prepares its keys, and PrepareNeeded stays True
    // only when none of them has key lines; when it is False nothing is
    // prepared and it turns True. So with key lines every second paint
    // prepares, and of two paints in a row one always does.
    void PrepareRules();

private:
    std::vector<std::unique_ptr<TColorRule>> FItems;
};

// Hot-spot settings: text between BeginChar and EndChar is shown as a link
// and reported when clicked.
struct THotSpot {
    char16_t BeginChar = 30;  // code 0 turns hot-spot scanning off
    char16_t EndChar = 31;
    TColor Color = clBlue;          // the text between the markers
    TColor MarkerColor = clWindow;  // the two markers, drawn as solid blocks
    bool Active = false;
    bool Underlined = true;

    void Assign(const THotSpot& Source) { *this = Source; }
};

}  // namespace qm
