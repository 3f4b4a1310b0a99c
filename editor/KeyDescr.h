// Key records: one found key, or after merging one drawn run. Window-free.
#pragma once

#include "editor/ColorTypes.h"

#include <cstdint>
#include <vector>

namespace qm {

// KeyBeg of an empty slot, and of the record that ends a run list.
inline constexpr int32_t kEmptyKey = 0x7FFFFFFF;

// Precedence values of the control's own keys; a rule's keys carry its ZOrder.
inline constexpr uint8_t kZHotSpotText = 252;
inline constexpr uint8_t kZHotSpotMarker = 253;
inline constexpr uint8_t kZSelection = 254;
inline constexpr uint8_t kZTab = 255;

struct TKeyDescr {
    int32_t KeyBeg = 0;      // offset of the first character in the control's text
    int32_t KeyEnd = 0;      // offset of the last character (inclusive)
    TColor KeyColor = 0;
    uint8_t KeyZOrder = 0;   // precedence, higher wins
    uint8_t KeyByEvent = 0;  // 1: a keyword key, which OnDrawKey may draw instead

    friend bool operator==(const TKeyDescr&, const TKeyDescr&) = default;
};

// The control's list of key records. Records are reused from paint to paint:
// the list grows one record at a time and never shrinks.
class TKeyDescrList {
public:
    static constexpr int kInitialCapacity = 100;

    TKeyDescrList() { FRecords.reserve(kInitialCapacity); }

    int Count() const { return static_cast<int>(FRecords.size()); }
    TKeyDescr& operator[](int Index) { return FRecords[static_cast<size_t>(Index)]; }
    const TKeyDescr& operator[](int Index) const { return FRecords[static_cast<size_t>(Index)]; }

    // Appends one zeroed record and returns its index.
    int Append() {
        FRecords.emplace_back();
        return Count() - 1;
    }
    // Sets KeyBeg of every record to kEmptyKey.
    void MarkAllEmpty() {
        for (TKeyDescr& record : FRecords) record.KeyBeg = kEmptyKey;
    }

private:
    std::vector<TKeyDescr> FRecords;
};

}  // namespace qm
