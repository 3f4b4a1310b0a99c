// The piece of the editor's text that one paint scans. Window-free.
//
// Only the scanned lines are copied out of the edit control, plus the one
// character before the first of them (a case-sensitive keyword at ScanFrom
// looks at it). All offsets stay absolute, counted from the start of the
// control's text with a line break as two characters.
#pragma once

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace qm {

struct TScanSnapshot {
    const char* Text;   // characters from absolute offset Base on, with a zero at ScanLimit - Base
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

// The characters From..To (inclusive) as far as the snapshot holds them,
// cut at the first zero: the text of a run to draw.
inline std::string_view SnapshotText(const TScanSnapshot& Snapshot, int32_t From, int32_t To) {
    const int64_t from = std::max<int64_t>(From, Snapshot.Base);
    const int64_t to = std::min<int64_t>(To, int64_t{Snapshot.ScanLimit} - 1);
    if (to < from) return {};
    const std::string_view text(Snapshot.Text + (from - Snapshot.Base), static_cast<size_t>(to - from + 1));
    return text.substr(0, text.find('\0'));
}

// The snapshot's buffer, kept by the control from paint to paint: 2048
// characters at first; when a copy does not fit, replaced by one of its
// length + 1024. It never shrinks.
class TSnapshotBuffer {
public:
    static constexpr int32_t kInitialSize = 2048;
    static constexpr int32_t kGrowth = 1024;

    TSnapshotBuffer() : FBuffer(kInitialSize) {}

    // Room for Length characters and the zero behind them.
    char* Reserve(int32_t Length) {
        if (Length < 0) throw std::invalid_argument("negative snapshot length");
        if (static_cast<size_t>(Length) >= FBuffer.size()) FBuffer.assign(static_cast<size_t>(Length) + kGrowth, 0);
        return FBuffer.data();
    }
    // The snapshot of the characters from Base on that the caller has copied
    // to Reserve(ScanLimit - Base); writes the zero at ScanLimit.
    TScanSnapshot Snapshot(int32_t Base, int32_t ScanFrom, int32_t ScanLimit) {
        Reserve(ScanLimit - Base)[ScanLimit - Base] = 0;
        return TScanSnapshot{FBuffer.data(), Base, ScanFrom, ScanLimit};
    }
    size_t Size() const { return FBuffer.size(); }

private:
    std::vector<char> FBuffer;
};

}  // namespace qm
