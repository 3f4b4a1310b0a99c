#include "TestSupport.h"

#include <stdexcept>

#include "editor/ColorMemo.h"
#include "ui/WideText.h"

namespace qmtest {

namespace {

// Wide functions with the long form of the path, so that trees deeper than
// MAX_PATH go as well.
void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

std::wstring LongForm(const std::string& path) { return L"\\\\?\\" + qm::Widen(path); }

}  // namespace

TempDir::TempDir() {
    wchar_t base[MAX_PATH];
    DWORD n = GetTempPathW(MAX_PATH, base);
    if (n == 0 || n >= MAX_PATH) throw std::runtime_error("GetTempPath failed");
    static unsigned counter = 0;
    for (;;) {
        path_ = qm::Narrow(base) + "qmtest_" + std::to_string(GetCurrentProcessId()) + "_" +
                std::to_string(++counter);
        if (CreateDirectoryW(qm::Widen(path_).c_str(), nullptr)) break;
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("CreateDirectory failed");
    }
    // Long path names, so that comparisons with what dialogs return hold.
    wchar_t full[MAX_PATH];
    if (GetLongPathNameW(qm::Widen(path_).c_str(), full, MAX_PATH) > 0) path_ = qm::Narrow(full);
}

TempDir::~TempDir() { RemoveTree(LongForm(path_)); }

std::string TempDir::File(const std::string& name) const { return path_ + "\\" + name; }

std::string ReadBytes(const std::string& path) {
    HANDLE h = CreateFileW(qm::Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(h, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(h);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE h = CreateFileW(qm::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                           nullptr);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot create " + path);
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
    if (!ok || written != bytes.size()) throw std::runtime_error("cannot write " + path);
}

bool FileExists(const std::string& path) {
    DWORD a = GetFileAttributesW(qm::Widen(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

int CountEntries(const std::string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(qm::Widen(folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") ++count;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void PumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    do {
        PumpMessages();
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

void AddMouseInput(std::vector<INPUT>& inputs, DWORD flags, LONG dx, LONG dy) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    inputs.push_back(input);
}

void AddMouseMoveTo(std::vector<INPUT>& inputs, POINT screen) {
    // Absolute positions run from 0 to 65535 over the screen.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    AddMouseInput(inputs, MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE,
                  static_cast<LONG>((screen.x * 65535LL + width / 2) / (width - 1)),
                  static_cast<LONG>((screen.y * 65535LL + height / 2) / (height - 1)));
}

}  // namespace qmtest
