#include "config/IniFile.h"

#include <windows.h>

#include "config/IniValues.h"

namespace qm {

namespace {
// The profile functions cut a value to the buffer, keeping room for the zero.
constexpr DWORD kValueBuffer = 1024;
}  // namespace

std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    char buffer[kValueBuffer];
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  kValueBuffer, fileName_.c_str());
    return std::string(buffer, length < kValueBuffer ? length : kValueBuffer - 1);
}

int32_t TIniFile::ReadInt(const std::string& section, const std::string& key, int32_t defaultValue) const {
    return IniIntValue(ReadText(section, key, ""), defaultValue);
}

bool TIniFile::ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const {
    return ReadInt(section, key, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteText(const std::string& section, const std::string& key, const std::string& value) {
    // Checked here: Wine running as root writes into a read-only file where
    // Windows refuses.
    const DWORD attributes = GetFileAttributesA(fileName_.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        throw IniWriteError(fileName_);
    }
    if (!WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), fileName_.c_str())) {
        throw IniWriteError(fileName_);
    }
}

void TIniFile::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    WriteText(section, key, IniIntText(value));
}

void TIniFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
    WriteText(section, key, IniFlagText(value));
}

}  // namespace qm
