#include "app/DocumentText.h"

namespace qm {

namespace {

// Calls `brk(at, length)` for every line break of `text`: length 2 for
// CR LF, 1 for a lone CR or LF.
template <typename Break>
void ForEachBreak(std::u16string_view text, Break&& brk) {
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        const char16_t c = text[i];
        if (c == u'\r') {
            const bool pair = i + 1 < size && text[i + 1] == u'\n';
            brk(i, pair ? 2 : 1);
            i += pair ? 1 : 0;
        } else if (c == u'\n') {
            brk(i, 1);
        }
    }
}

std::u16string_view BreakText(TLineBreak style) {
    switch (style) {
    case TLineBreak::Lf: return u"\n";
    case TLineBreak::Cr: return u"\r";
    default: return u"\r\n";
    }
}

// `text` with every line break written as `style`; `size` is the length
// that gives.
std::u16string Converted(std::u16string_view text, TLineBreak style, size_t size) {
    const std::u16string_view wanted = BreakText(style);
    std::u16string result(size, u'\0');
    char16_t* out = result.data();
    const size_t length = text.size();
    for (size_t i = 0; i < length; ++i) {
        const char16_t c = text[i];
        if (c != u'\r' && c != u'\n') {
            *out++ = c;
            continue;
        }
        if (c == u'\r' && i + 1 < length && text[i + 1] == u'\n') ++i;
        for (const char16_t w : wanted) *out++ = w;
    }
    return result;
}

}  // namespace

std::string TooLargeReason() {
    return "the text is larger than " + std::to_string(kMaxDocumentText / (1024 * 1024)) +
           " MB, more than the editor can hold";
}

TLineBreak NormalizeLineBreaks(std::u16string& text) {
    size_t crlf = 0, cr = 0, lf = 0;
    ForEachBreak(text, [&](size_t at, size_t length) {
        if (length == 2) {
            ++crlf;
        } else if (text[at] == u'\r') {
            ++cr;
        } else {
            ++lf;
        }
    });
    const TLineBreak style = crlf == 0 && cr == 0 && lf > 0   ? TLineBreak::Lf
                             : crlf == 0 && lf == 0 && cr > 0 ? TLineBreak::Cr
                                                              : TLineBreak::CrLf;
    // Each lone break gains a unit.
    if (cr + lf > 0) text = Converted(text, TLineBreak::CrLf, text.size() + cr + lf);
    return style;
}

bool LineBreaksDiffer(std::u16string_view text, TLineBreak style) {
    bool differ = false;
    const std::u16string_view wanted = BreakText(style);
    ForEachBreak(text, [&](size_t at, size_t length) {
        differ = differ || text.substr(at, length) != wanted;
    });
    return differ;
}

std::u16string WithLineBreaks(std::u16string_view text, TLineBreak style) {
    size_t breaks = 0, breakUnits = 0;
    ForEachBreak(text, [&](size_t, size_t length) {
        ++breaks;
        breakUnits += length;
    });
    return Converted(text, style, text.size() - breakUnits + breaks * BreakText(style).size());
}

}  // namespace qm
