#include "app/TextEncoding.h"

#include <algorithm>

#include "ui/Utf.h"

namespace qm {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

bool BigEndian(TEncoding encoding) { return encoding == TEncoding::Utf16Be; }

std::u16string Utf16Units(std::string_view bytes, bool bigEndian) {
    std::u16string units(bytes.size() / 2, u'\0');
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const int high = bigEndian ? 0 : 1;
    for (size_t i = 0; i < units.size(); ++i, in += 2) {
        units[i] = static_cast<char16_t>((in[high] << 8) | in[1 - high]);
    }
    return units;
}

void AppendUtf16Bytes(std::u16string_view units, bool bigEndian, std::string& bytes) {
    const size_t start = bytes.size();
    bytes.resize(start + units.size() * 2);
    char* out = bytes.data() + start;
    const int high = bigEndian ? 0 : 1;
    for (const char16_t unit : units) {
        out[high] = static_cast<char>(unit >> 8);
        out[1 - high] = static_cast<char>(unit & 0xFF);
        out += 2;
    }
}

std::string NulReason(size_t at, const std::string& unit) {
    return "the file contains NUL " + unit + "s (the first at " + unit + " " + std::to_string(at) +
           "), which the editor cannot hold; it is probably not a text file";
}

// The text of `bytes` in `encoding` as the file holds it (line breaks as
// they are), or the reason it cannot be held.
std::optional<std::string> DecodeUnits(std::string_view bytes, TEncoding encoding, const TAnsiCodec& ansi,
                                       std::u16string& text) {
    switch (encoding) {
    case TEncoding::Utf8Bom: text = Utf8ToUtf16(bytes.substr(kUtf8Bom.size())); break;
    case TEncoding::Utf8: text = Utf8ToUtf16(bytes); break;
    case TEncoding::Utf16Le:
    case TEncoding::Utf16Be:
        if (bytes.size() % 2 != 0) {
            return "the file starts as UTF-16 text but has an odd number of bytes (" + std::to_string(bytes.size()) +
                   "), so it would not be saved back the same";
        }
        text = Utf16Units(bytes.substr(kUtf16LeBom.size()), BigEndian(encoding));
        break;
    case TEncoding::Ansi: {
        text = ansi.Decode(bytes);
        std::string back;
        if (!ansi.Encode(text, back) || back != bytes) {
            return "the file is neither UTF-8 nor text of the system's code page (ANSI), so it would not be "
                   "saved back the same";
        }
        break;
    }
    }
    return std::nullopt;
}

}  // namespace

std::string_view EncodingName(TEncoding encoding) {
    switch (encoding) {
    case TEncoding::Ansi: return "ANSI";
    case TEncoding::Utf8: return "UTF-8";
    case TEncoding::Utf8Bom: return "UTF-8 BOM";
    case TEncoding::Utf16Le: return "UTF-16 LE";
    case TEncoding::Utf16Be: return "UTF-16 BE";
    }
    return "?";
}

std::string_view LineBreakName(TLineBreak breaks) {
    switch (breaks) {
    case TLineBreak::CrLf: return "CR LF";
    case TLineBreak::Lf: return "LF";
    case TLineBreak::Cr: return "CR";
    }
    return "?";
}

std::string FormatName(const TTextFormat& format) {
    return std::string(EncodingName(format.Encoding)) + " \xC2\xB7 " + std::string(LineBreakName(format.Breaks));
}

TEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.starts_with(kUtf16LeBom)) return TEncoding::Utf16Le;
    if (bytes.starts_with(kUtf16BeBom)) return TEncoding::Utf16Be;
    if (bytes.starts_with(kUtf8Bom)) {
        return IsUtf8(bytes.substr(kUtf8Bom.size())) ? TEncoding::Utf8Bom : TEncoding::Ansi;
    }
    bool multiByte = false;
    return IsUtf8(bytes, &multiByte) && multiByte ? TEncoding::Utf8 : TEncoding::Ansi;
}

bool HasLoneSurrogate(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0xD800 || unit > 0xDFFF) continue;
        if (unit > 0xDBFF || i + 1 == text.size() || text[i + 1] < 0xDC00 || text[i + 1] > 0xDFFF) return true;
        ++i;  // a pair
    }
    return false;
}

std::optional<std::string> DecodeDocument(std::string_view bytes, const TAnsiCodec& ansi, TDecodedText& decoded) {
    if (bytes.size() > kMaxDocumentText) return TooLargeReason();
    const TEncoding encoding = DetectEncoding(bytes);
    const bool utf16 = encoding == TEncoding::Utf16Le || encoding == TEncoding::Utf16Be;
    // In 8-bit text a NUL character is a NUL byte, found before decoding.
    if (const size_t nul = bytes.find('\0'); !utf16 && nul != std::string_view::npos) return NulReason(nul, "byte");
    std::u16string text;
    if (auto reason = DecodeUnits(bytes, encoding, ansi, text)) return reason;
    if (const size_t nul = text.find(u'\0'); nul != std::u16string::npos) return NulReason(nul, "character");
    const TLineBreak breaks = NormalizeLineBreaks(text);
    if (text.size() > kMaxDocumentText) return TooLargeReason();
    decoded.Text = std::move(text);
    decoded.Format = TTextFormat{encoding, breaks};
    return std::nullopt;
}

TTextFormat TemplateDocumentFormat(const TDecodedText& templ) {
    TTextFormat format = templ.Format;
    const auto ascii = [](char16_t c) { return c < 0x80; };
    if (format.Encoding == TEncoding::Ansi && std::all_of(templ.Text.begin(), templ.Text.end(), ascii)) {
        format.Encoding = kNewDocumentFormat.Encoding;
    }
    return format;
}

bool EncodeDocument(std::u16string_view text, const TTextFormat& format, const TAnsiCodec& ansi,
                    std::string& bytes) {
    // The editor's breaks are CR LF: a copy only where the file's differ.
    std::u16string converted;
    if (LineBreaksDiffer(text, format.Breaks)) {
        converted = WithLineBreaks(text, format.Breaks);
        text = converted;
    }
    bytes.clear();
    switch (format.Encoding) {
    case TEncoding::Ansi: return ansi.Encode(text, bytes);
    case TEncoding::Utf8:
    case TEncoding::Utf8Bom:
        if (HasLoneSurrogate(text)) return false;
        bytes = Utf16ToUtf8(text);
        if (format.Encoding == TEncoding::Utf8Bom) bytes.insert(0, kUtf8Bom);
        return true;
    case TEncoding::Utf16Le:
    case TEncoding::Utf16Be:
        // UTF-16 stores any unit, an unpaired surrogate too.
        bytes = BigEndian(format.Encoding) ? kUtf16BeBom : kUtf16LeBom;
        AppendUtf16Bytes(text, BigEndian(format.Encoding), bytes);
        return true;
    }
    return false;
}

}  // namespace qm
