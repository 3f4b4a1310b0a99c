#include "app/TextSearch.h"

#include <algorithm>
#include <array>
#include <functional>

namespace qm {

namespace {

// Windows-1252: A-Z, the accented capitals C0-DE (but not the sign D7), and
// the capitals S, OE and Z with caron and Y with diaeresis at 8A, 8C, 8E, 9F.
constexpr std::array<unsigned char, 256> MakeFoldTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c) table[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c) {
        if (c != 0xD7) table[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    }
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}

constexpr std::array<unsigned char, 256> kFold = MakeFoldTable();

struct FoldedHash {
    size_t operator()(char c) const { return kFold[static_cast<unsigned char>(c)]; }
};
struct FoldedEqual {
    bool operator()(char a, char b) const {
        return kFold[static_cast<unsigned char>(a)] == kFold[static_cast<unsigned char>(b)];
    }
};

}  // namespace

char FoldLetterCase(char c) { return static_cast<char>(kFold[static_cast<unsigned char>(c)]); }

long long FindInText(std::string_view text, std::string_view what, size_t from, bool matchCase) {
    if (what.empty() || from > text.size() || what.size() > text.size() - from) return -1;
    if (matchCase) {
        const size_t at = text.find(what, from);
        return at == std::string_view::npos ? -1 : static_cast<long long>(at);
    }
    const std::boyer_moore_horspool_searcher searcher(what.begin(), what.end(), FoldedHash{}, FoldedEqual{});
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(), searcher);
    return found == text.end() ? -1 : static_cast<long long>(found - text.begin());
}

}  // namespace qm
