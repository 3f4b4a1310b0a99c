// Helpers of the document file tests.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/DocumentFile.h"
#include "ui/Errors.h"

namespace docfiletest {

// The message of the qm::Error that `action` throws (a test failure if none).
template <class Action>
std::string ErrorOf(Action action) {
    try {
        action();
    } catch (const qm::Error& e) {
        return e.what();
    }
    ADD_FAILURE() << "no qm::Error was thrown";
    return {};
}

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Test hooks for one scope.
struct HooksGuard {
    explicit HooksGuard(const qm::DocumentFileTestHooks& hooks) { qm::SetDocumentFileTestHooks(hooks); }
    ~HooksGuard() { qm::SetDocumentFileTestHooks({}); }
};

struct HandleCloser {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
};
using OpenHandle = std::unique_ptr<void, HandleCloser>;

// The file held open with no sharing at all, as a program that locks it would.
inline OpenHandle LockFile(const std::string& path) {
    return OpenHandle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

// Makes `link` a symbolic link to `target`. Wine's CreateSymbolicLinkW does
// nothing (and says it succeeded), so under Wine the link is made on the
// Linux side.
inline bool MakeSymbolicLink(const std::string& link, const std::string& target) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
        return CreateSymbolicLinkW(std::wstring(link.begin(), link.end()).c_str(),
                                   std::wstring(target.begin(), target.end()).c_str(), 0) != FALSE;
    }
    auto unix = [&](const std::string& path) {
        char* name = unixName(std::wstring(path.begin(), path.end()).c_str());
        std::string result = name != nullptr ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    };
    std::string command = "/bin/ln -s \"" + unix(target) + "\" \"" + unix(link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine does not wait for a Linux program: the link is looked for.
    for (int tries = 0; tries < 100; ++tries) {
        const DWORD attributes = GetFileAttributesA(link.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        Sleep(50);
    }
    return false;
}

}  // namespace docfiletest
