#include "app/DocumentFile.h"

#include <algorithm>
#include <utility>

#include "app/DocumentText.h"
#include "app/PathUtil.h"
#include "ui/Gdi.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {

DocumentFileTestHooks g_hooks;
int g_writesSinceHooks = 0;

// Files are read and written in pieces of this size.
constexpr DWORD kChunk = 64 * 1024;

// Attributes a save keeps on the file it replaces.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
// Attributes SetFileAttributes accepts.
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;


// The full path of `path` (relative to the working directory, "." and ".."
// resolved, forward slashes turned), without any "\\?\" prefix.
std::wstring FullPath(const std::string& path, const std::string& what) {
    if (path.empty()) throw Error(what + ": no file name was given.");
    // The system would stop reading the name at a NUL and use another file.
    if (path.find('\0') != std::string::npos) {
        throw Error(what.substr(0, what.find('\0')) + ": the name contains a NUL character.");
    }
    const std::wstring wide = Widen(path);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) ThrowLastError(what);
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);  // too small: `length` counts the terminating zero
    }
}

// The form of a full path to hand to the system: paths of MAX_PATH
// characters and more only work with the "\\?\" prefix (and only with the
// wide-character functions, which is why this file uses them).
std::wstring SystemPath(const std::wstring& full) {
    if (full.size() < MAX_PATH || full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return full;
    if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Writes all of `bytes` at the file's current position; false, with the
// last error set, when any piece fails.
bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), kChunk));
        ++g_writesSinceHooks;
        if (g_hooks.beforeWrite != nullptr) g_hooks.beforeWrite(g_writesSinceHooks);
        if (g_writesSinceHooks == g_hooks.failWriteNumber) {
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), piece, &written, nullptr)) return false;
        if (written != piece) {
            // A disk file that takes fewer bytes than offered has no room.
            SetLastError(ERROR_DISK_FULL);
            return false;
        }
        bytes.remove_prefix(piece);
    }
    return true;
}

// Copies the rest of `from` to `to`; false, with the last error set, on failure.
bool CopyContent(HANDLE from, HANDLE to) {
    std::string buffer(kChunk, '\0');
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(from, buffer.data(), kChunk, &got, nullptr)) return false;
        if (got == 0) return true;
        if (!WriteAll(to, std::string_view(buffer.data(), got))) return false;
    }
}

bool Rewind(HANDLE file) {
    LARGE_INTEGER zero{};
    return SetFilePointerEx(file, zero, nullptr, FILE_BEGIN) != FALSE;
}

BOOL CallReplaceFile(const std::wstring& target, const std::wstring& replacement) {
    const auto replace = g_hooks.replaceFile != nullptr ? g_hooks.replaceFile : &ReplaceFileW;
    return replace(target.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
}

BOOL CallMoveFile(const std::wstring& from, const std::wstring& to, DWORD flags) {
    const auto move = g_hooks.moveFile != nullptr ? g_hooks.moveFile : &MoveFileExW;
    return move(from.c_str(), to.c_str(), flags);
}

// The folder of a full path, with its final backslash.
std::wstring FolderOf(const std::wstring& full) { return full.substr(0, full.rfind(L'\\') + 1); }

unsigned NextLeftoverNumber() {
    static unsigned counter = 0;
    return ++counter;
}

// A new file of the program's own beside a target, in the same folder (so
// that it can take the target's place by renaming). Unless Keep() is called,
// it is closed and deleted when the object goes.
class SiblingFile {
public:
    SiblingFile(const std::wstring& fullTarget, const std::string& what) {
        const std::wstring folder = FolderOf(fullTarget);
        for (int attempt = 0;; ++attempt) {
            name_ = folder + Widen(SaveTempName(GetCurrentProcessId(), NextLeftoverNumber()));
            file_ = FileHandle(CreateFileW(SystemPath(name_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
            if (file_.Valid()) return;
            const DWORD error = GetLastError();
            if ((error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) || attempt == 100) {
                throw SystemError(what, error);
            }
        }
    }
    ~SiblingFile() {
        if (!kept_) Discard();
    }
    SiblingFile(const SiblingFile&) = delete;
    SiblingFile& operator=(const SiblingFile&) = delete;

    HANDLE Handle() const { return file_.Get(); }
    std::wstring SystemName() const { return SystemPath(name_); }
    std::string DisplayName() const { return Narrow(name_); }

    // Flushes the data to the disk and closes; false, with the last error
    // set, when either fails.
    bool FlushAndClose() {
        if (!FlushFileBuffers(file_.Get())) return false;
        return file_.Close();
    }
    // The file stays (it took the target's place, or must not be lost).
    void Keep() { kept_ = true; }
    // Gives the closed file the full name `name` in its folder; false, with
    // the last error set, on failure.
    bool MoveTo(const std::wstring& name) {
        if (!CallMoveFile(SystemName(), SystemPath(name), MOVEFILE_WRITE_THROUGH)) return false;
        name_ = name;
        return true;
    }
    // Closes and deletes the file now; false when it could not be deleted.
    bool Discard() {
        kept_ = true;
        if (file_.Valid()) file_.Close();
        return DeleteFileW(SystemName().c_str()) != FALSE;
    }

private:
    std::wstring name_;
    FileHandle file_;
    bool kept_ = false;
};

// Removes the sibling file and throws `error`; says so when the file could
// not be removed, so that nothing is left behind unmentioned.
[[noreturn]] void DiscardAndThrow(SiblingFile& sibling, const std::string& what, DWORD error) {
    if (!sibling.Discard()) {
        throw SystemError(what + " (could not remove " + sibling.DisplayName() + ")", error);
    }
    throw SystemError(what, error);
}

bool IsFile(const std::wstring& systemPath) {
    const DWORD attributes = GetFileAttributesW(systemPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Writes the bytes to a new file beside the target, flushed and closed.
void WriteSibling(SiblingFile& temp, std::string_view bytes, const std::string& what) {
    if (!WriteAll(temp.Handle(), bytes) || !temp.FlushAndClose()) DiscardAndThrow(temp, what, GetLastError());
}

// A new file: the written copy is renamed to the target's name.
void SaveNewFile(const std::wstring& full, std::string_view bytes, const std::string& what) {
    SiblingFile temp(full, what);
    WriteSibling(temp, bytes, what);
    if (!CallMoveFile(temp.SystemName(), SystemPath(full), MOVEFILE_WRITE_THROUGH)) {
        DiscardAndThrow(temp, what, GetLastError());
    }
    temp.Keep();
}

// Throws when the file cannot be opened the way replacing it needs, for
// example because another program holds it open without allowing that. Wine's
// ReplaceFile would leave a stray empty file of its own behind in that case.
void CheckReplaceable(const std::wstring& target, const std::string& what) {
    FileHandle file(CreateFileW(target.c_str(), GENERIC_READ | DELETE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowLastError(what);
}

// An existing file with one link: the written copy takes its place.
void ReplaceFileContent(const std::wstring& full, std::string_view bytes, const std::string& what) {
    const std::wstring target = SystemPath(full);
    CheckReplaceable(target, what);
    SiblingFile temp(full, what);
    WriteSibling(temp, bytes, what);
    if (CallReplaceFile(target, temp.SystemName())) {
        temp.Keep();
        return;
    }
    const DWORD error = GetLastError();
    // Any other failure leaves both files as they were.
    if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT && error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        DiscardAndThrow(temp, what, error);
    }
    // The old file may have been moved out of the way already: rename the
    // new one into its place.
    if (CallMoveFile(temp.SystemName(), target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        temp.Keep();
        return;
    }
    const DWORD moveError = GetLastError();
    if (IsFile(target)) DiscardAndThrow(temp, what, moveError);
    // The old file is gone: the new one may be the only copy of the text.
    temp.Keep();
    throw SystemError(what + " (the new text is kept in " + temp.DisplayName() + ")", moveError);
}

// A file with several hard links: a replacement would split it from its
// other names, so it is overwritten in place. A whole copy of the old text is
// made first, flushed and only then given its backup name, so that a backup
// found later is always complete; it is put back when the writing fails, and
// if the program stops meanwhile it is offered at the next opening of the file
// (see UnfinishedSaveBackups).
void OverwriteInPlace(const std::string& path, const std::wstring& full, std::string_view bytes,
                      const std::string& what) {
    FileHandle target(CreateFileW(SystemPath(full).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!target.Valid()) ThrowLastError(what);
    SiblingFile backup(full, what);
    const std::wstring backupName =
        FolderOf(full) + Widen(SaveBackupName(GetCurrentProcessId(), NextLeftoverNumber(),
                                              Narrow(full.substr(FolderOf(full).size()))));
    if (!CopyContent(target.Get(), backup.Handle()) || !backup.FlushAndClose() || !backup.MoveTo(backupName)) {
        DiscardAndThrow(backup, what, GetLastError());
    }
    if (Rewind(target.Get()) && WriteAll(target.Get(), bytes) && SetEndOfFile(target.Get()) &&
        FlushFileBuffers(target.Get()) && target.Close()) {
        if (!backup.Discard()) {
            ThrowLastError("Saved " + path + ", but could not remove the backup copy " + backup.DisplayName());
        }
        return;
    }
    const DWORD error = GetLastError();
    FileHandle old(CreateFileW(backup.SystemName().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (target.Valid() && old.Valid() && Rewind(target.Get()) && CopyContent(old.Get(), target.Get()) &&
        SetEndOfFile(target.Get()) && FlushFileBuffers(target.Get())) {
        old.Close();
        DiscardAndThrow(backup, what, error);
    }
    // The old text could not be put back: the backup is its only copy.
    backup.Keep();
    throw SystemError(what + " (the old text is kept in " + backup.DisplayName() + ")", error);
}

// Gives the saved file back the attributes the old one had and a
// replacement may have lost (Wine's ReplaceFile drops "hidden").
void RestoreAttributes(const std::string& path, const std::wstring& full, DWORD oldAttributes) {
    const std::string what = "Saved " + path + ", but could not keep its attributes";
    const std::wstring target = SystemPath(full);
    const DWORD now = GetFileAttributesW(target.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) ThrowLastError(what);
    if ((now & kKeptAttributes) == (oldAttributes & kKeptAttributes)) return;
    DWORD wanted = (now & kSettableAttributes & ~kKeptAttributes) | (oldAttributes & kKeptAttributes);
    if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
    if (!SetFileAttributesW(target.c_str(), wanted)) ThrowLastError(what);
}

DWORD LinkCount(const std::wstring& full, const std::string& what) {
    FileHandle file(CreateFileW(SystemPath(full).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) ThrowLastError(what);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file.Get(), &info)) ThrowLastError(what);
    return info.nNumberOfLinks;
}

// The full path of the file that `full` finally names, symbolic links
// followed, so that a save writes the file a link points to and the link
// stays a link; `full` itself when nothing of that name exists yet.
std::wstring FinalPath(const std::wstring& full, const std::string& what) {
    FileHandle file(CreateFileW(SystemPath(full).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return full;
        throw SystemError(what, error);
    }
    std::wstring final(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFinalPathNameByHandleW(file.Get(), final.data(), static_cast<DWORD>(final.size()),
                                                       FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (length == 0) {
            // Wine answers so for any final path past MAX_PATH characters,
            // whatever the buffer: such a path is taken as it is.
            if (GetLastError() == ERROR_MORE_DATA) return full;
            ThrowLastError(what);
        }
        if (length < final.size()) {
            final.resize(length);
            break;
        }
        final.resize(length + 1);
    }
    if (final.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + final.substr(8);
    if (final.starts_with(L"\\\\?\\")) return final.substr(4);
    return final;
}

// The file name part of a path, without its folder.
std::wstring BaseName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

bool SameFileName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

// Whether the process `processId` runs and is this program (judged by the
// name of its program file), so that the files it made are in use. A process
// that may not be looked into counts as one.
bool IsRunningProgram(uint32_t processId) {
    if (processId == GetCurrentProcessId()) return true;
    FileHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process.Valid()) return GetLastError() == ERROR_ACCESS_DENIED;
    if (WaitForSingleObject(process.Get(), 0) != WAIT_TIMEOUT) return false;
    std::wstring own(32768, L'\0');
    std::wstring other(32768, L'\0');
    DWORD otherLength = static_cast<DWORD>(other.size());
    const DWORD ownLength = GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size()));
    if (ownLength == 0 || !QueryFullProcessImageNameW(process.Get(), 0, other.data(), &otherLength)) return true;
    own.resize(ownLength);
    other.resize(otherLength);
    return SameFileName(BaseName(own), BaseName(other));
}

// Calls `found`(full name, parts) for each file in `folder` (ending in a
// backslash) named as a save's temporary file or backup copy.
template <class Found>
void ForEachSaveLeftover(const std::wstring& folder, Found found) {
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileW(SystemPath(folder + L"~qm*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    struct Closer {
        HANDLE handle;
        ~Closer() { FindClose(handle); }
    } closer{search};
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (const auto leftover = ParseSaveLeftover(Narrow(data.cFileName))) found(folder + data.cFileName, *leftover);
    } while (FindNextFileW(search, &data));
}

// Removes the temporary files that saves of programs no longer running left
// in `folder`. Backup copies stay: they may be the only copy of a text.
void RemoveSaveLeftovers(const std::wstring& folder) {
    ForEachSaveLeftover(folder, [](const std::wstring& name, const SaveLeftover& leftover) {
        // One that cannot be removed now is tried again at the next save.
        if (leftover.backupOf.empty() && !IsRunningProgram(leftover.processId)) DeleteFileW(SystemPath(name).c_str());
    });
}

// The whole content of the file `path`, refused as ReadDocumentFile says.
std::string ReadFileBytes(const std::string& path, const std::string& what) {
    const std::wstring name = SystemPath(FullPath(path, what));
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) ThrowLastError(what);
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw Error(what + ": it is a folder, not a file.");

    // No sharing for writing: a file another program is writing is refused
    // rather than read half-written.
    FileHandle file(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.Valid()) ThrowLastError(what);
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) throw Error(what + ": it is not a file on disk.");
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size)) ThrowLastError(what);
    // Refused before it takes up memory.
    if (static_cast<unsigned long long>(size.QuadPart) > kMaxDocumentText) {
        throw Error(what + ": " + TooLargeReason() + ".");
    }

    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    for (;;) {
        // One more byte than expected shows a file that grew meanwhile.
        if (got == bytes.size()) bytes.resize(std::min<std::size_t>(bytes.size() + kChunk, kMaxDocumentText + 1));
        DWORD piece = 0;
        const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - got, kChunk));
        if (!ReadFile(file.Get(), bytes.data() + got, wanted, &piece, nullptr)) ThrowLastError(what);
        if (piece == 0) break;
        got += piece;
        if (got > kMaxDocumentText) throw Error(what + ": " + TooLargeReason() + ".");
    }
    bytes.resize(got);
    return bytes;
}

}  // namespace

TDecodedText ReadDocumentFile(const std::string& path) {
    const std::string what = "Cannot open " + path;
    const std::string bytes = ReadFileBytes(path, what);
    TDecodedText decoded;
    if (const auto reason = DecodeDocument(bytes, SystemAnsiCodec(), decoded)) throw Error(what + ": " + *reason + ".");
    return decoded;
}

void SaveDocumentFile(const std::string& path, std::string_view bytes) {
    const std::string what = "Cannot save " + path;
    const std::wstring full = FinalPath(FullPath(path, what), what);
    RemoveSaveLeftovers(FolderOf(full));
    const DWORD attributes = GetFileAttributesW(SystemPath(full).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        // A missing folder shows when the new file cannot be made in it.
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) throw SystemError(what, error);
        SaveNewFile(full, bytes, what);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) throw Error(what + ": a folder of that name is in the way.");
    // Tested here because Wine, running as root, would replace the file anyway.
    if (attributes & FILE_ATTRIBUTE_READONLY) throw Error(what + ": the file is read-only.");
    if (LinkCount(full, what) > 1) {
        OverwriteInPlace(path, full, bytes, what);
    } else {
        ReplaceFileContent(full, bytes, what);
    }
    RestoreAttributes(path, full, attributes);
}

std::vector<std::string> UnfinishedSaveBackups(const std::string& path) {
    std::vector<std::string> backups;
    const std::string what = "Cannot open " + path;
    const std::wstring full = FinalPath(FullPath(path, what), what);
    const std::wstring name = BaseName(full);
    ForEachSaveLeftover(FolderOf(full), [&](const std::wstring& backup, const SaveLeftover& leftover) {
        if (!leftover.backupOf.empty() && SameFileName(Widen(leftover.backupOf), name) &&
            !IsRunningProgram(leftover.processId)) {
            backups.push_back(Narrow(backup));
        }
    });
    return backups;
}

void RestoreUnfinishedSave(const std::string& path, const std::string& backup) {
    SaveDocumentFile(path, ReadFileBytes(backup, "Cannot restore " + path + " from " + backup));
    DiscardUnfinishedSave(backup);
}

void DiscardUnfinishedSave(const std::string& backup) {
    const std::string what = "Cannot remove " + backup;
    if (!DeleteFileW(SystemPath(FullPath(backup, what)).c_str())) ThrowLastError(what);
}

ScratchCopy::ScratchCopy(const std::string& path) {
    const std::string what = "Cannot write to " + path;
    const std::wstring full = FinalPath(FullPath(path, what), what);
    SiblingFile copy(full, what);
    if (IsFile(SystemPath(full))) {
        FileHandle source(CreateFileW(SystemPath(full).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!source.Valid() || !CopyContent(source.Get(), copy.Handle())) DiscardAndThrow(copy, what, GetLastError());
    }
    if (!copy.FlushAndClose()) DiscardAndThrow(copy, what, GetLastError());
    copy.Keep();
    path_ = copy.DisplayName();
}

ScratchCopy::~ScratchCopy() { DeleteFileW(SystemPath(Widen(path_)).c_str()); }

std::string ScratchCopy::Bytes() const { return ReadFileBytes(path_, "Cannot read " + path_); }

void SetDocumentFileTestHooks(const DocumentFileTestHooks& hooks) {
    g_hooks = hooks;
    g_writesSinceHooks = 0;
}

namespace {

class SystemAnsi : public TAnsiCodec {
public:
    // A failure gives no text: the way back then differs, and the file is refused.
    std::u16string Decode(std::string_view bytes) const override {
        if (bytes.empty()) return {};
        const int size = static_cast<int>(bytes.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0);
        if (length <= 0) return {};
        std::u16string text(static_cast<std::size_t>(length), u'\0');
        auto* out = reinterpret_cast<wchar_t*>(text.data());
        if (MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, out, length) != length) return {};
        return text;
    }

    bool Encode(std::u16string_view text, std::string& bytes) const override {
        bytes.clear();
        if (text.empty()) return true;
        const std::wstring_view wide = AsWide(text);
        const int size = static_cast<int>(wide.size());
        // A code page of UTF-8 has no default character to report.
        const bool utf8 = GetACP() == CP_UTF8;
        const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        BOOL* replaced = utf8 ? nullptr : &usedDefault;
        const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, replaced);
        if (length <= 0 || usedDefault) return false;
        bytes.resize(static_cast<std::size_t>(length));
        return WideCharToMultiByte(CP_ACP, flags, wide.data(), size, bytes.data(), length, nullptr, replaced) ==
                   length &&
               !usedDefault;
    }
};

}  // namespace

const TAnsiCodec& SystemAnsiCodec() {
    static const SystemAnsi codec;
    return codec;
}

bool FileExistsAt(const std::string& path) {
    try {
        return IsFile(SystemPath(FullPath(path, path)));
    } catch (const Error&) {
        return false;  // no name, a NUL in it, or one the system cannot take
    }
}

}  // namespace qm
