#include "ui/Utf.h"

#include <cstdint>

namespace qm {

namespace {

// Length of the sequence starting at `at` (1-4), or 0 when the bytes there
// are no UTF-8 (WTF-8: lone surrogates count as characters).
size_t SequenceAt(std::string_view s, size_t at, char32_t& code) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1Fu, minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0Fu, minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07u, minimum = 0x10000;
    } else {
        return 0;
    }
    if (s.size() - at < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char next = byte(at + i);
        if ((next & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (next & 0x3Fu);
    }
    if (code < minimum || code > 0x10FFFF) return 0;
    return length;
}

bool IsSurrogate(char32_t code) { return code >= 0xD800 && code <= 0xDFFF; }

}  // namespace

bool IsUtf8(std::string_view bytes, bool* multiByte) {
    bool any = false;
    for (size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        char32_t code = 0;
        const size_t length = SequenceAt(bytes, at, code);
        if (length == 0 || IsSurrogate(code)) return false;
        any = true;
        at += length;
    }
    if (multiByte) *multiByte = any;
    return true;
}

// Both directions write into a buffer of the largest size they can need
// and cut it to what they wrote: whole documents pass through here.
std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out(utf8.size(), u'\0');  // never more units than bytes
    char16_t* next = out.data();
    for (size_t at = 0; at < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead < 0x80) {
            *next++ = lead;
            ++at;
            continue;
        }
        char32_t code = 0;
        const size_t length = SequenceAt(utf8, at, code);
        if (length == 0) {
            *next++ = u'\xFFFD';
            ++at;
            continue;
        }
        at += length;
        if (code >= 0x10000) {
            code -= 0x10000;
            *next++ = static_cast<char16_t>(0xD800 + (code >> 10));
            *next++ = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            *next++ = static_cast<char16_t>(code);
        }
    }
    out.resize(static_cast<size_t>(next - out.data()));
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
    std::string out(utf16.size() * 3, '\0');  // three bytes a unit at the most
    char* next = out.data();
    for (size_t at = 0; at < utf16.size(); ++at) {
        char32_t code = utf16[at];
        if (code < 0x80) {
            *next++ = static_cast<char>(code);
            continue;
        }
        if (code >= 0xD800 && code <= 0xDBFF && at + 1 < utf16.size() && utf16[at + 1] >= 0xDC00 &&
            utf16[at + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (utf16[at + 1] - 0xDC00);
            ++at;
        }
        if (code < 0x800) {
            *next++ = static_cast<char>(0xC0 | (code >> 6));
            *next++ = static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            *next++ = static_cast<char>(0xE0 | (code >> 12));
            *next++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *next++ = static_cast<char>(0x80 | (code & 0x3F));
        } else {
            *next++ = static_cast<char>(0xF0 | (code >> 18));
            *next++ = static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            *next++ = static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            *next++ = static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    out.resize(static_cast<size_t>(next - out.data()));
    return out;
}

}  // namespace qm
