// Helpers shared by the Windows test programs.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace qm {
class TColorMemo;
}

namespace qmtest {

// Paths are UTF-8 here.

// A fresh, empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return path_; }
    // Path + "\" + name.
    std::string File(const std::string& name) const;

private:
    std::string path_;
};

// Whole file as bytes; throws std::runtime_error when it cannot be read.
std::string ReadBytes(const std::string& path);
// Creates or replaces the file with exactly these bytes.
void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// Names of the entries of a folder (files and folders, without . and ..).
int CountEntries(const std::string& folder);

// Mouse input for SendInput: an event with these flags (and, for a move,
// where to), and an absolute move to a point of the screen.
void AddMouseInput(std::vector<INPUT>& inputs, DWORD flags, LONG dx = 0, LONG dy = 0);
void AddMouseMoveTo(std::vector<INPUT>& inputs, POINT screen);

// Handles the messages waiting for this thread's windows.
void PumpMessages();
// Pumps messages for about this many milliseconds.
void PumpFor(DWORD milliseconds);

}  // namespace qmtest
