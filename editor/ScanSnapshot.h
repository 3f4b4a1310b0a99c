// The piece of the editor's text that one paint scans. Window-free.
//
// Only the scanned lines are copied out of the edit control, plus the one
// character before the first of them (a case-sensitive keyword at ScanFrom
// looks at it). All offsets stay absolute, counted from the start of the
// control's text with a line break as two characters.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace qm {

struct TScanSnapshot {
    const char16_t* Text;  // characters from absolute offset Base on, with a zero at ScanLimit - Base
    int32_t Base;       // ScanFrom, or ScanFrom - 1 when ScanFrom > 0 (0 for the whole text works too)
    int32_t ScanFrom;   // first character scanned (start of a line)
    int32_t ScanLimit;  // just past the last character scanned
};

// Throws std::invalid_argument unless Text is set, 0 <= Base <= ScanFrom <=
// ScanLimit and the character at ScanLimit is the zero.
inline void CheckSnapshot(const TScanSnapshot& Snapshot) {
    if (!Snapshot.Text || Snapshot.Base < 0 || Snapshot.Base > Snapshot.ScanFrom ||
        Snapshot.ScanFrom > Snapshot.ScanLimit || Snapshot.Text[Snapshot.ScanLimit - Snapshot.Base] != 0) {
        throw std::invalid_argument("malformed text snapshot");
    }
}

// The first offset a snapshot starting at ScanFrom has to hold.
inline constexpr int32_t SnapshotBase(int32_t ScanFrom) { return ScanFrom > 0 ? ScanFrom - 1 : 0; }

}  // namespace qm
