#include "config/IniFile.h"

#include <windows.h>

#include "config/IniValues.h"
#include "ui/WideText.h"

namespace qm {

namespace {
// The profile functions cut a value to the buffer, keeping room for the zero.
constexpr DWORD kValueBuffer = 1024;
}  // namespace

// The file keeps its text in the ANSI code page; its name may be in any
// script, so the wide functions are used.
std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    wchar_t buffer[kValueBuffer];
    const DWORD length = GetPrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(),
                                                  Widen(defaultValue).c_str(), buffer, kValueBuffer,
                                                  Widen(fileName_).c_str());
    return Narrow(std::wstring_view(buffer, length < kValueBuffer ? length : kValueBuffer - 1));
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
    const std::wstring file = Widen(fileName_);
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        throw IniWriteError(fileName_);
    }
    // The file is ANSI text: a value it cannot hold would come back as
    // another one ("?" for each such character).
    const std::wstring wide = Widen(value);
    BOOL replaced = FALSE;
    if (!wide.empty() && GetACP() != CP_UTF8 &&
        (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                             nullptr, &replaced) == 0 ||
         replaced)) {
        throw Error("Unable to write to " + fileName_ + ": \"" + value +
                    "\" holds characters the ANSI code page of the file cannot store.");
    }
    if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), wide.c_str(), file.c_str())) {
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
