#include "config/IniValues.h"

#include <optional>

namespace qm {

namespace {

std::optional<uint32_t> HexValue(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        uint32_t digit;
        if (c >= '0' && c <= '9') digit = static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f') digit = static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = static_cast<uint32_t>(c - 'A' + 10);
        else return std::nullopt;
        if (value > 0x0FFFFFFFu) return std::nullopt;  // more than 32 bits
        value = value * 16 + digit;
    }
    return value;
}

std::optional<int32_t> DecimalValue(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    // Collected as a negative number, which reaches one further.
    constexpr int64_t kMin = -2147483648LL;
    int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 - (c - '0');
        if (value < kMin) return std::nullopt;
    }
    if (!negative) {
        if (value == kMin) return std::nullopt;
        value = -value;
    }
    return static_cast<int32_t>(value);
}

}  // namespace

int32_t IniIntValue(std::string_view text, int32_t defaultValue) {
    std::optional<uint32_t> hex;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = HexValue(text.substr(2));
    } else if (!text.empty() && text[0] == '$') {
        hex = HexValue(text.substr(1));
    } else {
        return DecimalValue(text).value_or(defaultValue);
    }
    if (!hex) return defaultValue;
    return static_cast<int32_t>(*hex);
}

std::string IniIntText(int32_t value) { return std::to_string(value); }

std::string IniFilePath(std::string_view configDir) { return std::string(configDir) + "/quillmere.ini"; }

std::string TemplateFilePath(std::string_view configDir) { return std::string(configDir) + "\\temp.htm"; }

}  // namespace qm
