#include "ui/SystemError.h"

#include "ui/WideText.h"

namespace qm {

std::string SystemErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    std::string text;
    if (length != 0 && buffer != nullptr) {
        text = Narrow(std::wstring_view(buffer, length));
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
