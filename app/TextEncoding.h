// The encodings of document files: which one a file's bytes are in, the
// editor's text decoded from them, and the bytes Save writes back.
// Window-free: the system's ANSI code page comes in as a TAnsiCodec.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/DocumentText.h"

namespace qm {

enum class TEncoding { Ansi, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// Every encoding, in the order the Encoding menu lists them.
inline constexpr TEncoding kEncodings[] = {TEncoding::Ansi, TEncoding::Utf8, TEncoding::Utf8Bom, TEncoding::Utf16Le,
                                           TEncoding::Utf16Be};

// What a document's file is written in.
struct TTextFormat {
    TEncoding Encoding = TEncoding::Utf8;
    TLineBreak Breaks = TLineBreak::CrLf;
    bool operator==(const TTextFormat&) const = default;
};

// A new document: UTF-8 without a byte order mark, CR LF.
inline constexpr TTextFormat kNewDocumentFormat{};

// "ANSI", "UTF-8", "UTF-8 BOM", "UTF-16 LE", "UTF-16 BE".
std::string_view EncodingName(TEncoding encoding);
// "CR LF", "LF", "CR".
std::string_view LineBreakName(TLineBreak breaks);
// The status bar's form, UTF-8: "UTF-8 · LF".
std::string FormatName(const TTextFormat& format);

// The system's 8-bit code page, which only the platform can convert.
class TAnsiCodec {
public:
    virtual ~TAnsiCodec() = default;
    // The UTF-16 text of `bytes` (a byte the code page lacks may come out as
    // some replacement: the caller checks the way back).
    virtual std::u16string Decode(std::string_view bytes) const = 0;
    // The bytes of `text`; false when a character has no byte of its own in
    // the code page (nothing is replaced by a look-alike or "?").
    virtual bool Encode(std::u16string_view text, std::string& bytes) const = 0;
};

// The encoding a file's bytes are in: a UTF-8 byte order mark followed by
// UTF-8 is Utf8Bom; a UTF-16 byte order mark is Utf16Le or Utf16Be; bytes
// that are UTF-8 with at least one character of several bytes are Utf8;
// anything else (plain ASCII, no bytes, a byte order mark followed by bytes
// that are no UTF-8) is Ansi.
TEncoding DetectEncoding(std::string_view bytes);

struct TDecodedText {
    std::u16string Text;  // as the editor holds it: UTF-16, CR LF breaks
    TTextFormat Format;
};

// Decodes a file's bytes. Saving the text again in `Format` gives back
// exactly these bytes, unless the file mixed its kinds of line breaks. A
// file that cannot be held that way is refused with a reason that reads on
// after "Cannot open <path>: ": NUL characters (the edit control would cut
// the text there), a UTF-16 file of an odd number of bytes, ANSI bytes the
// code page would not give back the same, a text above kMaxDocumentText.
std::optional<std::string> DecodeDocument(std::string_view bytes, const TAnsiCodec& ansi, TDecodedText& decoded);

// The file bytes of the editor's text in `format`, line breaks written in
// the format's style, with the byte order mark where the encoding has one.
// False, with `bytes` unspecified, when the text holds a character the
// encoding cannot store: one the ANSI code page lacks, or for UTF-8 an
// unpaired surrogate (half of a character).
bool EncodeDocument(std::u16string_view text, const TTextFormat& format, const TAnsiCodec& ansi,
                    std::string& bytes);

// The format of a new document made from a template: the template's, but
// a template of plain ASCII (which opens as ANSI, as every such file does)
// leaves new documents in UTF-8.
TTextFormat TemplateDocumentFormat(const TDecodedText& templ);

// Whether `text` holds an unpaired surrogate.
bool HasLoneSurrogate(std::u16string_view text);

}  // namespace qm
