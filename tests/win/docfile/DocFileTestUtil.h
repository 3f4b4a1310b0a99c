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

// Makes `link` a symbolic link to `target` from the Linux side (Wine's
// CreateSymbolicLinkW does nothing); Wine does not wait for a Linux program,
// so the link is looked for.
inline bool MakeSymbolicLink(const std::string& link, const std::string& target) {
    const auto unixName = reinterpret_cast<char*(CDECL*)(LPCWSTR)>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    auto unix = [&](const std::string& path) { return std::string(unixName(std::wstring(path.begin(), path.end()).c_str())); };
    std::string command = "/bin/ln -s \"" + unix(target) + "\" \"" + unix(link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA("Z:\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int tries = 0; tries < 100 && GetFileAttributesA(link.c_str()) == INVALID_FILE_ATTRIBUTES; ++tries) Sleep(50);
    return GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace docfiletest
