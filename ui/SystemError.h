// Win32 failures turned into exceptions whose message carries the path or
// subject and the system's own error text.
#pragma once

#include <windows.h>

#include <string>

#include "ui/Errors.h"

namespace qm {

// The system's text for an error code, without the trailing line break.
std::string SystemErrorText(DWORD code);

class SystemError : public Error {
public:
    // "<what>: <system text>" — for example
    // "Cannot write C:\web\a.htm: Access is denied."
    SystemError(const std::string& what, DWORD code);
    DWORD Code() const { return code_; }

private:
    DWORD code_;
};

// Throws SystemError(what, GetLastError()).
[[noreturn]] void ThrowLastError(const std::string& what);

}  // namespace qm
