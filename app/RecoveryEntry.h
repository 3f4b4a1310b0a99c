// One entry of the recovery journal: a modified document's text and what it
// takes to open it again as it was (path, tab name, encoding, line breaks).
// Window-free.
//
// An entry file is little-endian binary: the magic "QMRJ", a format number,
// four UTF-8 strings (each a 32-bit length and its bytes), the text's length
// in UTF-16 units (64 bits) and the text as UTF-16 LE, then a CRC-32 of every
// byte before it. An entry is read back only when it is exactly as long as
// its lengths say and its checksum matches: a write cut short, a file of the
// wrong size or changed bytes are refused with the reason.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qm {

struct TRecoveryEntry {
    std::string Path;        // "" for a document that was never saved
    std::string TabName;
    std::string Encoding;    // as the status bar names it, e.g. "UTF-8 BOM"
    std::string LineBreaks;  // "CR LF", "LF" or "CR"
    std::u16string Text;     // the editor's text

    friend bool operator==(const TRecoveryEntry&, const TRecoveryEntry&) = default;
};

// The entry's file bytes.
std::string EncodeRecoveryEntry(const TRecoveryEntry& entry);

// The entry in `bytes`, or nothing with `why` set (for the user: "it was cut
// short", "it has the wrong size", ...).
std::optional<TRecoveryEntry> DecodeRecoveryEntry(std::string_view bytes, std::string& why);

// CRC-32 (IEEE 802.3) of the bytes, continuing from `crc` (0 to start).
uint32_t Crc32(uint32_t crc, const void* data, std::size_t size);

}  // namespace qm
