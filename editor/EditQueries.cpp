#include "editor/EditQueries.h"

#include <algorithm>

namespace qm {

LRESULT TEditQueries::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    ++stats_.Queries;
    if (procWindow_ != window_) {
        procWindow_ = window_;
        proc_ = window_ ? reinterpret_cast<WNDPROC>(GetClassLongPtrW(window_, GCLP_WNDPROC)) : nullptr;
    }
    if (!proc_) return SendMessageW(window_, message, wParam, lParam);
    return CallWindowProcW(proc_, window_, message, wParam, lParam);
}

POINT TEditQueries::PosFromChar(int32_t offset) const {
    const LRESULT position = Send(EM_POSFROMCHAR, static_cast<WPARAM>(offset));
    return POINT{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
}

// EM_GETLINE takes the room, in characters, in the buffer's first unit.
int32_t TEditQueries::GetLine(int32_t line, char16_t* to, int32_t room) const {
    room = std::min(room, int32_t{0xFFFF});
    if (room <= 0) return 0;
    *to = static_cast<char16_t>(room);
    return std::clamp(
        static_cast<int32_t>(Send(EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(to))), 0, room);
}

int32_t TEditQueries::GetText(char16_t* to, int32_t size) const {
    if (size <= 0) return 0;
    return std::clamp(static_cast<int32_t>(Send(WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(to))),
                      0, size - 1);
}

}  // namespace qm
