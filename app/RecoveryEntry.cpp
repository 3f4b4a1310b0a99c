#include "app/RecoveryEntry.h"

#include <array>
#include <cstring>

namespace qm {

namespace {

constexpr char kMagic[4] = {'Q', 'M', 'R', 'J'};
constexpr uint32_t kFormat = 1;

const std::array<uint32_t, 256>& CrcTable() {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void PutU32(std::string& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutU64(std::string& out, uint64_t value) {
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void PutString(std::string& out, std::string_view text) {
    PutU32(out, static_cast<uint32_t>(text.size()));
    out.append(text);
}

// Reads the fields in order; any read past the end marks the entry short.
class TReader {
public:
    explicit TReader(std::string_view bytes) : bytes_(bytes) {}
    bool Short() const { return short_; }
    size_t At() const { return at_; }
    uint64_t Number(int size) {
        if (bytes_.size() - at_ < static_cast<size_t>(size)) {
            short_ = true;
            at_ = bytes_.size();
            return 0;
        }
        uint64_t value = 0;
        for (int i = 0; i < size; ++i)
            value |= uint64_t{static_cast<unsigned char>(bytes_[at_ + static_cast<size_t>(i)])} << (8 * i);
        at_ += static_cast<size_t>(size);
        return value;
    }
    std::string_view Bytes(uint64_t count) {
        if (bytes_.size() - at_ < count) {
            short_ = true;
            at_ = bytes_.size();
            return {};
        }
        const std::string_view part = bytes_.substr(at_, static_cast<size_t>(count));
        at_ += static_cast<size_t>(count);
        return part;
    }

private:
    std::string_view bytes_;
    size_t at_ = 0;
    bool short_ = false;
};

}  // namespace

uint32_t Crc32(uint32_t crc, const void* data, std::size_t size) {
    const auto& table = CrcTable();
    const auto* p = static_cast<const unsigned char*>(data);
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

std::string EncodeRecoveryEntry(const TRecoveryEntry& entry) {
    std::string out;
    out.reserve(64 + entry.Path.size() + entry.TabName.size() + entry.Text.size() * 2);
    out.append(kMagic, sizeof kMagic);
    PutU32(out, kFormat);
    PutString(out, entry.Path);
    PutString(out, entry.TabName);
    PutString(out, entry.Encoding);
    PutString(out, entry.LineBreaks);
    PutU64(out, entry.Text.size());
    const size_t textAt = out.size();
    out.resize(textAt + entry.Text.size() * 2);
    char* to = out.data() + textAt;
    for (const char16_t unit : entry.Text) {
        *to++ = static_cast<char>(unit & 0xFF);
        *to++ = static_cast<char>(unit >> 8);
    }
    PutU32(out, Crc32(0, out.data(), out.size()));
    return out;
}

std::optional<TRecoveryEntry> DecodeRecoveryEntry(std::string_view bytes, std::string& why) {
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        why = bytes.empty() ? "it is empty" : "it is no recovery entry";
        return std::nullopt;
    }
    TReader reader(bytes.substr(sizeof kMagic));
    if (reader.Number(4) != kFormat && !reader.Short()) {
        why = "it was written by another version of the program";
        return std::nullopt;
    }
    TRecoveryEntry entry;
    for (std::string* field : {&entry.Path, &entry.TabName, &entry.Encoding, &entry.LineBreaks})
        *field = std::string(reader.Bytes(reader.Number(4)));
    const uint64_t units = reader.Number(8);
    const std::string_view text = units > bytes.size() ? reader.Bytes(bytes.size()) : reader.Bytes(units * 2);
    const size_t checked = sizeof kMagic + reader.At();
    const uint32_t crc = static_cast<uint32_t>(reader.Number(4));
    if (reader.Short()) {
        why = "it was cut short";
        return std::nullopt;
    }
    if (checked + 4 != bytes.size()) {
        why = "it has the wrong size";
        return std::nullopt;
    }
    if (Crc32(0, bytes.data(), checked) != crc) {
        why = "its contents do not match their checksum";
        return std::nullopt;
    }
    entry.Text.resize(static_cast<size_t>(units));
    for (size_t i = 0; i < entry.Text.size(); ++i)
        entry.Text[i] = static_cast<char16_t>(static_cast<unsigned char>(text[2 * i]) |
                                              (static_cast<unsigned char>(text[2 * i + 1]) << 8));
    return entry;
}

}  // namespace qm
