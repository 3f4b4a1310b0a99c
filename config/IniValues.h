// The reading rules of the configuration file's numbers, and the names of
// its sections, keys and defaults. Window-free.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace qm {

// A stored value as an integer: "0x" or "0X" followed by hexadecimal digits
// (when the text is longer than 2 characters), "$" followed by hexadecimal
// digits, or a signed decimal number. Hexadecimal takes up to 32 bits, which
// wrap into the signed range ("$FFFFFFFF" is -1); a decimal number must fit
// it. Anything else, the empty text included, gives `defaultValue`.
int32_t IniIntValue(std::string_view text, int32_t defaultValue);

// The stored form of an integer and of a yes/no value.
std::string IniIntText(int32_t value);
inline const char* IniFlagText(bool value) { return value ? "1" : "0"; }

// The configuration file and the template for new documents, in the
// configuration folder. The separators differ, as the names always had.
std::string IniFilePath(std::string_view configDir);
std::string TemplateFilePath(std::string_view configDir);

// Sections and keys (matched without regard to letter case).
namespace ini {
inline constexpr char kMemo[] = "Memo";
inline constexpr char kApps[] = "Apps";
inline constexpr char kTagColor[] = "tagcolor";
inline constexpr char kFileColor[] = "filecolor";
inline constexpr char kComColor[] = "comcolor";
inline constexpr char kFont[] = "font";
inline constexpr char kSize[] = "size";
inline constexpr char kUseTemp[] = "usetemp";
inline constexpr char kTempStart[] = "tempstart";
inline constexpr char kFtp[] = "Ftp";
inline constexpr char kBrowser[] = "brow";

// Defaults when a key is absent: maroon tags, grey quoted text and comments,
// "MS Sans Serif" at 8 points, both switches on, no programs.
inline constexpr int32_t kDefaultTagColor = 128;
inline constexpr int32_t kDefaultFileColor = 8421504;
inline constexpr int32_t kDefaultComColor = 8421504;
inline constexpr char kDefaultFont[] = "MS Sans Serif";
inline constexpr int32_t kDefaultSize = 8;
inline constexpr bool kDefaultUseTemp = true;
inline constexpr bool kDefaultTempStart = true;
}  // namespace ini

}  // namespace qm
