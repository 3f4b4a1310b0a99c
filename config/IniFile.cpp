#include "config/IniFile.h"

#include <windows.h>

#include <optional>
#include <tuple>
#include <vector>

#include "app/DocumentFile.h"
#include "config/IniValues.h"
#include "ui/WideText.h"

namespace qm {

namespace {
// The profile functions cut a value to the buffer, keeping room for the zero.
constexpr DWORD kValueBuffer = 1024;
// A value as the profile functions read it back: without surrounding blanks
// and one pair of quotes, at most kValueBuffer - 1 characters.
std::wstring ReadBackForm(std::wstring value) {
    const auto first = value.find_first_not_of(L" \t");
    value = first == std::wstring::npos ? L"" : value.substr(first, value.find_last_not_of(L" \t") - first + 1);
    if (value.size() >= 2 && (value[0] == L'"' || value[0] == L'\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kValueBuffer - 1) value.resize(kValueBuffer - 1);
    return value;
}

std::wstring ReadFrom(const std::wstring& file, const std::wstring& section, const std::wstring& key,
                      const std::wstring& defaultValue) {
    wchar_t buffer[kValueBuffer];
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer,
                                                  kValueBuffer, file.c_str());
    return std::wstring(buffer, length < kValueBuffer ? length : kValueBuffer - 1);
}

}  // namespace

// The copy being written and what was written into it.
struct TIniFile::Update {
    explicit Update(const std::string& fileName) : copy(fileName), copyName(Widen(copy.Path())) {}
    ScratchCopy copy;
    std::wstring copyName;
    std::vector<std::tuple<std::wstring, std::wstring, std::wstring>> written;  // section, key, value
    int depth = 1;
};

TIniFile::TIniFile(std::string fileName) : fileName_(std::move(fileName)) {}
TIniFile::~TIniFile() = default;

void TIniFile::BeginUpdate() {
    if (update_) {
        ++update_->depth;
        return;
    }
    try {
        update_ = std::make_unique<Update>(fileName_);
    } catch (const Error&) {
        throw IniWriteError(fileName_);  // no copy can be made beside the file
    }
}

void TIniFile::CancelUpdate() {
    if (update_ && --update_->depth == 0) update_.reset();
}

void TIniFile::CommitUpdate() {
    if (!update_ || update_->depth > 1) return;  // the outer update stores it
    std::unique_ptr<Update> update = std::move(update_);
    for (const auto& [section, key, value] : update->written) {
        // A value written with a blank default can only read back as the
        // default when the write was lost.
        if (ReadFrom(update->copyName, section, key, L"\x01") != ReadBackForm(value)) throw IniWriteError(fileName_);
    }
    try {
        SaveDocumentFile(fileName_, update->copy.Bytes());
    } catch (const Error&) {
        throw IniWriteError(fileName_);
    }
}

// The file keeps its text in the ANSI code page; its name may be in any
// script, so the wide functions are used.
std::string TIniFile::ReadText(const std::string& section, const std::string& key,
                               const std::string& defaultValue) const {
    return Narrow(ReadFrom(Widen(fileName_), Widen(section), Widen(key), Widen(defaultValue)));
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
    TIniUpdate update(*this);
    if (!WritePrivateProfileStringW(Widen(section).c_str(), Widen(key).c_str(), wide.c_str(),
                                    update_->copyName.c_str())) {
        throw IniWriteError(fileName_);
    }
    update_->written.emplace_back(Widen(section), Widen(key), wide);
    update.Commit();
}

void TIniFile::WriteInt(const std::string& section, const std::string& key, int32_t value) {
    WriteText(section, key, IniIntText(value));
}

void TIniFile::WriteFlag(const std::string& section, const std::string& key, bool value) {
    WriteText(section, key, IniFlagText(value));
}

}  // namespace qm
