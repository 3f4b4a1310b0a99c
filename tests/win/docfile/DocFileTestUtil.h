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

}  // namespace docfiletest
