// The text of a document file as the editor holds it and as Save writes it.
// Window-free.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

// The largest text, in bytes after line-break normalising, that a document
// may hold. The 32-bit program has 2 GiB of address space; while a file is
// loaded or saved, the text lives several times over at once (the file's
// bytes, the normalised text, the edit control's own buffer, which may hold
// it in UTF-16 at twice the size and grows by reallocation, and the copy
// fetched back for saving), each copy in one contiguous block. At 64 MiB
// that stays below about 512 MiB with no block above 128 MiB, which a
// fragmented 32-bit address space still offers; twice as much would not be
// safe. No hand-written HTML page comes near it.
inline constexpr std::size_t kMaxDocumentText = std::size_t{64} * 1024 * 1024;

// Every line break (CR LF, a lone CR, a lone LF) becomes CR LF; every other
// byte stays as it is. "\n\r" is two breaks.
std::string NormalizeLineBreaks(std::string_view bytes);

// The length NormalizeLineBreaks(bytes) would have, without building it.
std::size_t NormalizedLength(std::string_view bytes);

// The bytes Save writes for the editor's text: its lines in order, each
// followed by CR LF. Any line break (CR LF, or a lone CR or LF pasted into
// the control) ends a line; a text that already ends with a break gets no
// extra empty line; an empty text gives an empty file.
std::string TextToFileBytes(std::string_view editorText);

// Why the editor could not hold these file bytes faithfully, or nothing when
// it can: a NUL byte (the edit control would cut the text there and the next
// save would lose the rest), or a normalised text longer than
// kMaxDocumentText. The reason reads on after "Cannot open <path>: ".
std::optional<std::string> UnloadableReason(std::string_view bytes);

// The reason given for a text longer than kMaxDocumentText.
std::string TooLargeReason();

}  // namespace qm
