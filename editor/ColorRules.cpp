#include "editor/ColorRules.h"

#include "editor/TextUnits.h"
#include "ui/Errors.h"

#include <algorithm>
#include <iterator>
#include <optional>

namespace qm {

namespace {

// Blank: nothing left after dropping the characters of code 32 or less at
// both ends.
bool IsBlank(std::u16string_view Text) {
    return std::all_of(Text.begin(), Text.end(), [](char16_t c) { return c <= 32; });
}

char16_t UpperAscii(char16_t c) {
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

int HexDigit(char16_t c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// One or more hexadecimal digits and nothing else, fitting in 32 bits.
std::optional<uint32_t> ParseHexDigits(std::u16string_view Digits) {
    if (Digits.empty()) return std::nullopt;
    uint64_t value = 0;
    for (char16_t c : Digits) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        value = value * 16 + static_cast<uint64_t>(d);
        if (value > 0xFFFFFFFFu) return std::nullopt;
    }
    return static_cast<uint32_t>(value);
}

// An integer literal whose digits are hexadecimal after a "$": leading
// spaces, an optional sign, "$", digits. Negative values wrap to 32 bits.
std::optional<uint32_t> ParseDollarLiteral(std::u16string_view Text) {
    size_t i = 0;
    while (i < Text.size() && Text[i] == ' ') ++i;
    bool negative = false;
    if (i < Text.size() && (Text[i] == '+' || Text[i] == '-')) {
        negative = Text[i] == '-';
        ++i;
    }
    if (i >= Text.size() || Text[i] != '$') return std::nullopt;
    const std::optional<uint32_t> value = ParseHexDigits(Text.substr(i + 1));
    if (!value) return std::nullopt;
    return negative ? static_cast<uint32_t>(0u - *value) : *value;
}

struct TNamedColor {
    std::u16string_view Name;
    TColor Color;
};

constexpr TNamedColor kColorNames[] = {
    {u"BLACK", clBlack}, {u"MAROON", clMaroon}, {u"GREEN", clGreen},   {u"OLIVE", clOlive},
    {u"NAVY", clNavy},   {u"PURPLE", clPurple}, {u"TEAL", clTeal},     {u"GRAY", clGray},
    {u"SILVER", clSilver}, {u"RED", clRed},     {u"LIME", clLime},     {u"YELLOW", clYellow},
    {u"BLUE", clBlue},   {u"FUCHSIA", clFuchsia}, {u"AQUA", clAqua},   {u"WHITE", clWhite},
};

// Copies at most six characters of Key into a zero-filled key field (five
// when the sixth would be the first half of a pair).
void CopyKey(char16_t (&Field)[kMaxPairKeyLength + 1], std::u16string_view Key) {
    const std::u16string_view kept = CutBeforePair(Key, kMaxPairKeyLength);
    std::copy(kept.begin(), kept.end(), Field);
}

}  // namespace

TColor ParseKeyColor(std::u16string_view Text) {
    const size_t first = Text.find_first_not_of(u' ');
    const size_t last = Text.find_last_not_of(u' ');
    const std::u16string_view trimmed =
        first == std::u16string_view::npos ? std::u16string_view() : Text.substr(first, last - first + 1);

    char16_t upper[10];
    const size_t length = std::min(trimmed.size(), std::size(upper));
    std::transform(trimmed.begin(), trimmed.begin() + static_cast<ptrdiff_t>(length), upper, UpperAscii);
    const std::u16string_view key(upper, length);
    for (const TNamedColor& named : kColorNames) {
        if (key == named.Name) return named.Color;
    }

    // Without its first "#".
    char16_t digits[10];
    size_t count = 0;
    bool hashDropped = false;
    for (char16_t c : key) {
        if (c == u'#' && !hashDropped) {
            hashDropped = true;
            continue;
        }
        digits[count++] = c;
    }
    const std::u16string_view number(digits, count);
    const std::optional<uint32_t> value = number.find(u'$') != std::u16string_view::npos
                                              ? ParseDollarLiteral(number)
                                              : ParseHexDigits(number);
    if (!value) return clWhite;
    // 0xRRGGBB to 0x00BBGGRR; the top byte is dropped.
    const uint32_t v = *value;
    return ((v & 0xFFu) << 16) | (v & 0xFF00u) | ((v >> 16) & 0xFFu);
}

// ---- TColorRule ----------------------------------------------------------

TColorRule::TColorRule(TDrawRules* Collection) : Memo(Collection ? Collection->Memo : nullptr) {}

TColor TColorRule::LineColor(std::u16string_view ColorText) const {
    return IsBlank(ColorText) ? DefKeyColor : ParseKeyColor(ColorText);
}

TKeyTable& TColorRule::ClearedKeyTable() {
    if (!KeyTable) KeyTable = std::make_unique<TKeyTable>();
    KeyTable->fill(TKeyPair{});
    return *KeyTable;
}

// Entries are overwritten in place so that the strings keep their storage
// from one preparation to the next.
void TColorRule::PutKeyword(size_t Index, std::u16string_view Keyword, TColor Color, bool RuleDefault) {
    if (Index == KeywordEntries.size()) KeywordEntries.emplace_back();
    TKeywordEntry& entry = KeywordEntries[Index];
    entry.Keyword.assign(Keyword);
    if (!KeyCase) std::transform(entry.Keyword.begin(), entry.Keyword.end(), entry.Keyword.begin(), UpperAscii);
    entry.Color = Color;
    entry.RuleDefault = RuleDefault;
}

void TColorRule::CompileKeywords(const std::vector<std::u16string>& Lines) {
    size_t count = 0;
    for (const std::u16string& text : Lines) {
        const std::u16string_view line(text);
        if (IsBlank(line)) continue;
        const size_t semicolon = line.find(u';');
        const std::u16string_view keyword = line.substr(0, semicolon);
        if (!IsBlank(keyword)) {
            const std::u16string_view colorText =
                semicolon == std::u16string_view::npos ? std::u16string_view() : line.substr(semicolon + 1);
            PutKeyword(count++, keyword, LineColor(colorText), false);
        }
        PutKeyword(count++, line, 0, true);
    }
    KeywordEntries.resize(count);
}

void TColorRule::FillPairTable(const std::vector<std::u16string>& Lines) {
    TKeyTable& table = ClearedKeyTable();
    const size_t count = std::min<size_t>(Lines.size(), kKeyTableSize);
    for (size_t i = 0; i < count; ++i) {
        const std::u16string_view line(Lines[i]);
        const size_t semicolon = line.find(u';');
        if (semicolon == std::u16string_view::npos || semicolon == 0) continue;  // an empty entry
        const std::u16string_view rest = line.substr(semicolon + 1);
        const size_t second = rest.find(u';');
        CopyKey(table[i].BegKey, line.substr(0, semicolon));
        CopyKey(table[i].EndKey, rest.substr(0, second));
        table[i].PairColor =
            LineColor(second == std::u16string_view::npos ? std::u16string_view() : rest.substr(second + 1));
    }
}

void TColorRule::FillLineEndTable(const std::vector<std::u16string>& Lines) {
    TKeyTable& table = ClearedKeyTable();
    const size_t count = std::min<size_t>(Lines.size(), kKeyTableSize);
    for (size_t i = 0; i < count; ++i) {
        const std::u16string_view line(Lines[i]);
        const size_t semicolon = line.find(u';');
        std::u16string_view key = line;
        std::u16string_view colorText;
        if (semicolon == 0 && line.size() > 1 && line[1] == u';') {
            key = line.substr(0, 1);  // ";;colour": the key is the semicolon itself
            colorText = line.substr(2);
        } else if (semicolon == 0) {
            colorText = line.substr(1);  // the whole line is the key
        } else if (semicolon != std::u16string_view::npos) {
            key = line.substr(0, semicolon);
            colorText = line.substr(semicolon + 1);
        }
        if (key.empty()) continue;  // an empty line ends the table
        CopyKey(table[i].BegKey, key);
        table[i].PairColor = LineColor(colorText);
    }
}

void TColorRule::SetKeywords(const std::vector<std::u16string>& Value) {
    CompileKeywords(Value);
    if (&Value != &Keywords) Keywords = Value;
}

void TColorRule::SetKeyBegEndLst(const std::vector<std::u16string>& Value) {
    FillPairTable(Value);
    if (&Value != &KeyBegEndLst) KeyBegEndLst = Value;
}

void TColorRule::SetKeyLineEndLst(const std::vector<std::u16string>& Value) {
    FillLineEndTable(Value);
    if (&Value != &KeyLineEndLst) KeyLineEndLst = Value;
}

void TColorRule::Assign(const TColorRule& Source) {
    KeyDrawingType = Source.KeyDrawingType;
    ZOrder = Source.ZOrder;
    KeyMaxHeight = Source.KeyMaxHeight;
    KeyCase = Source.KeyCase;
    Enabled = Source.Enabled;
    PartWord = Source.PartWord;
    DefKeyColor = Source.DefKeyColor;
    KeyBrushColor = Source.KeyBrushColor;
    SetKeywords(Source.Keywords);
    SetKeyLineEndLst(Source.KeyLineEndLst);
    SetKeyBegEndLst(Source.KeyBegEndLst);
}

bool TColorRule::PrepareKeys() {
    bool hasLines = !KeyBegEndLst.empty();
    FillPairTable(KeyBegEndLst);
    if (KeyDrawingType == dtKeyShow) {
        CompileKeywords(Keywords);
        hasLines = hasLines || !Keywords.empty();
    }
    if (KeyDrawingType == dtBeginLineEnd) {
        FillLineEndTable(KeyLineEndLst);
        hasLines = hasLines || !KeyLineEndLst.empty();
    }
    return hasLines;
}

// ---- TDrawRules ----------------------------------------------------------

TDrawRules::TDrawRules(TColorMemo* Memo) : Memo(Memo) {}

TColorRule& TDrawRules::Items(int Index) {
    if (Index < 0 || Index >= Count()) throw ListIndexError(Index);
    return *FItems[static_cast<size_t>(Index)];
}

const TColorRule& TDrawRules::Items(int Index) const {
    if (Index < 0 || Index >= Count()) throw ListIndexError(Index);
    return *FItems[static_cast<size_t>(Index)];
}

TColorRule& TDrawRules::Add() {
    FItems.push_back(std::make_unique<TColorRule>(this));
    return *FItems.back();
}

void TDrawRules::Clear() { FItems.clear(); }

void TDrawRules::Assign(const TDrawRules& Source) {
    if (&Source == this) return;
    std::vector<std::unique_ptr<TColorRule>> copies;
    copies.reserve(Source.FItems.size());
    for (const std::unique_ptr<TColorRule>& rule : Source.FItems) {
        copies.push_back(std::make_unique<TColorRule>(this));
        copies.back()->Assign(*rule);
    }
    FItems.swap(copies);
}

void TDrawRules::PrepareRules() {
    if (!PrepareNeeded) {
        PrepareNeeded = true;
        return;
    }
    bool anyLines = false;
    for (const std::unique_ptr<TColorRule>& rule : FItems) {
        if (rule->PrepareKeys()) anyLines = true;
    }
    PrepareNeeded = !anyLines;
}

}  // namespace qm
