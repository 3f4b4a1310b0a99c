#include "ui/SystemError.h"

namespace qm {

std::string SystemErrorText(DWORD code) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPSTR>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) {
        text.assign(buffer, length);
        LocalFree(buffer);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
            text.pop_back();
        }
    }
    if (text.empty()) {
        text = "System error " + std::to_string(code) + ".";
    }
    return text;
}

SystemError::SystemError(const std::string& what, DWORD code)
    : Error(what + ": " + SystemErrorText(code)), code_(code) {}

void ThrowLastError(const std::string& what) {
    throw SystemError(what, GetLastError());
}

}  // namespace qm
