// The configuration file object `IniFile` (names, sections, keys and values
// in UTF-8; the file itself in the ANSI code page), over the system's profile
// functions, which give the section and key rules: names match without
// regard to letter case, values are read without surrounding blanks and one
// pair of quotes, a new key goes to the end of its section and a new section
// to the end of the file. It caches nothing: every read goes to the file and
// every write is stored in it at once, or at the end of an update
// (TIniUpdate). Opening it neither reads nor creates the file.
//
// A write never changes the file itself: the keys are written into a copy
// beside it, read back from the copy, and only when every value reads back as
// written does the copy take the file's place, the way documents are saved.
// A write that fails leaves the old file byte for byte, lines and sections of
// other programs included.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "ui/Errors.h"

namespace qm {

// A write the file system refused: "Unable to write to <path>".
class IniWriteError : public Error {
public:
    explicit IniWriteError(const std::string& fileName) : Error("Unable to write to " + fileName) {}
};

class TIniFile {
public:
    explicit TIniFile(std::string fileName);
    ~TIniFile();
    TIniFile(const TIniFile&) = delete;
    TIniFile& operator=(const TIniFile&) = delete;
    const std::string& FileName() const { return fileName_; }

    // The stored value, or `defaultValue` when the key is absent; a key
    // present with an empty value reads as "". At most 1023 characters.
    std::string ReadText(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // The value as a number (see IniIntValue); absent or not a number:
    // `defaultValue`.
    int32_t ReadInt(const std::string& section, const std::string& key, int32_t defaultValue) const;
    // ReadInt with 1 or 0 as the default; yes when the number is not 0.
    bool ReadFlag(const std::string& section, const std::string& key, bool defaultValue) const;

    // Store the value at once; IniWriteError when the file cannot be written
    // (read-only, a folder in its place, no room, no such folder), Error
    // when the value holds a character the ANSI code page lacks.
    void WriteText(const std::string& section, const std::string& key, const std::string& value);
    void WriteInt(const std::string& section, const std::string& key, int32_t value);
    void WriteFlag(const std::string& section, const std::string& key, bool value);

private:
    friend class TIniUpdate;
    struct Update;

    void BeginUpdate();
    void CommitUpdate();
    void CancelUpdate();

    std::string fileName_;
    std::unique_ptr<Update> update_;
};

// Gathers the writes made while it lives into one update of the file:
// Commit() stores them all at once; without it (a write failed) none is
// stored.
class TIniUpdate {
public:
    explicit TIniUpdate(TIniFile& file) : file_(file) { file_.BeginUpdate(); }
    ~TIniUpdate() { file_.CancelUpdate(); }
    TIniUpdate(const TIniUpdate&) = delete;
    TIniUpdate& operator=(const TIniUpdate&) = delete;
    void Commit() { file_.CommitUpdate(); }

private:
    TIniFile& file_;
};

}  // namespace qm
