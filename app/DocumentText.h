// The text of a document as the editor holds it: UTF-16 with CR LF line
// breaks, within the size the editor can hold. Window-free.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace qm {

// The largest document, counted twice over: a file of more bytes is refused
// before it is read, and so is a text of more UTF-16 units once decoded
// (line breaks counted as CR LF). The 32-bit program has 2 GiB of address
// space; while a file is loaded or saved, the text lives several times over
// at once (the file's bytes, the decoded text, the edit control's own UTF-16
// buffer, which grows by reallocation, and the copy fetched back for
// saving), each copy in one contiguous block. At 64 Mi units that stays
// below about 512 MiB with no block above 128 MiB, which a fragmented 32-bit
// address space still offers; twice as much would not be safe. No
// hand-written HTML page comes near it.
inline constexpr std::size_t kMaxDocumentText = std::size_t{64} * 1024 * 1024;

// The reason given for a text longer than kMaxDocumentText; it reads on
// after "Cannot open <path>: ".
std::string TooLargeReason();

// How a document's file ends its lines.
enum class TLineBreak { CrLf, Lf, Cr };

// Makes every line break of `text` (CR LF, a lone CR, a lone LF; "\n\r" is
// two) a CR LF, and returns the file's style: Lf when all its breaks were
// lone LFs, Cr when all were lone CRs, CrLf for anything else (all CR LF,
// mixed, or no break at all).
TLineBreak NormalizeLineBreaks(std::u16string& text);

// The editor's text as a file holds it: every line break (CR LF, or a lone
// CR or LF pasted into the control) written in `style`. Nothing is added at
// the end, so an untouched text comes back as it was read.
std::u16string WithLineBreaks(std::u16string_view text, TLineBreak style);

// Whether WithLineBreaks(text, style) would differ from `text`.
bool LineBreaksDiffer(std::u16string_view text, TLineBreak style);

}  // namespace qm
