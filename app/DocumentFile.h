// Reading document files and saving them without ever destroying the old file.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "app/TextEncoding.h"

namespace qm {

// Reads the whole file and decodes it (see DecodeDocument): the text the
// editor holds and the encoding and line breaks to save it with. Refuses,
// with a message naming the file and the reason, a missing file, a folder,
// something that is not a file on disk, a file another program holds
// locked, and a file the editor cannot hold as it is. Paths (UTF-8) may be
// longer than MAX_PATH.
TDecodedText ReadDocumentFile(const std::string& path);

// The system's ANSI code page, through MultiByteToWideChar and
// WideCharToMultiByte.
const TAnsiCodec& SystemAnsiCodec();

// Whether `path` names an existing file (not a folder); paths longer than
// MAX_PATH are looked at too.
bool FileExistsAt(const std::string& path);

// Makes `bytes` the whole content of the file `path`.
// A symbolic link is followed: the file it finally points to is saved, and
// the link stays. The bytes go to a new file beside the target first, which
// then takes the target's place; a target with more than one hard link is
// written in place after a whole backup copy, so that its links stay one
// file (see UnfinishedSaveBackups). Temporary files that saves of programs no
// longer running left in the folder are removed first. A read-only target is
// refused and left alone; a hidden one stays hidden. When anything fails the
// old file is left as it was, nothing is left behind, and the error is thrown
// (qm::Error or qm::SystemError, naming the file). The one exception: if the
// old file is already gone when the new one cannot be put in its place, the
// new file is kept and the message names it, as it may be the only copy.
void SaveDocumentFile(const std::string& path, std::string_view bytes);

// Backup copies of `path` (full paths) that in-place saves left because the
// program stopped before they finished: the file may be half written, and
// each holds the whole text it had before. Copies of a running program's
// saves are not listed.
std::vector<std::string> UnfinishedSaveBackups(const std::string& path);
// Puts the text of `backup` back into `path` (saved as SaveDocumentFile
// does) and removes the backup.
void RestoreUnfinishedSave(const std::string& path, const std::string& backup);
// Removes a backup copy the user does not want back.
void DiscardUnfinishedSave(const std::string& backup);

// A copy of the file `path` (empty when there is none) in a new file of the
// program's own beside it, to be changed and then saved in its place; named
// as a save's temporary file, so that one a stopped program left is removed
// later. Deleted when the object goes.
class ScratchCopy {
public:
    explicit ScratchCopy(const std::string& path);
    ~ScratchCopy();
    ScratchCopy(const ScratchCopy&) = delete;
    ScratchCopy& operator=(const ScratchCopy&) = delete;

    const std::string& Path() const { return path_; }
    std::string Bytes() const;

private:
    std::string path_;
};

// Stand-ins for failures a test cannot provoke for real.
struct DocumentFileTestHooks {
    // The Nth call of WriteFile from now on (1 = the next) fails with
    // ERROR_DISK_FULL; 0 = never.
    int failWriteNumber = 0;
    // Called instead of ReplaceFileW / MoveFileExW when set.
    BOOL(WINAPI* replaceFile)(LPCWSTR, LPCWSTR, LPCWSTR, DWORD, LPVOID, LPVOID) = nullptr;
    BOOL(WINAPI* moveFile)(LPCWSTR, LPCWSTR, DWORD) = nullptr;
    // Called before each call of WriteFile with its number (1 = the first
    // from now on), e.g. to end the process there as a crash would.
    void (*beforeWrite)(int writeNumber) = nullptr;
};

// Installs the hooks (a default-made object switches them all off) and
// starts counting writes anew.
void SetDocumentFileTestHooks(const DocumentFileTestHooks& hooks);

}  // namespace qm
