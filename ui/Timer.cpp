#include "ui/Timer.h"

#include <map>

#include "ui/Application.h"
#include "ui/SystemError.h"

namespace qm {

namespace {
// Thread timers are told apart by the id the system gives them.
std::map<UINT_PTR, TTimer*>& LiveTimers() {
    static std::map<UINT_PTR, TTimer*> timers;
    return timers;
}
}  // namespace

TTimer::TTimer(UINT interval, bool enabled) : interval_(interval) { SetEnabled(enabled); }

TTimer::~TTimer() { SetEnabled(false); }

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    if (enabled) {
        id_ = SetTimer(nullptr, 0, interval_, &TTimer::TimerProc);
        if (id_ == 0) ThrowLastError("Cannot start a timer");
        LiveTimers()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        LiveTimers().erase(id_);
        id_ = 0;
    }
    enabled_ = enabled;
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto found = LiveTimers().find(id);
    if (found == LiveTimers().end()) return;
    TTimer* timer = found->second;
    Guarded([timer] { timer->Tick(); return 0; }, 0);
}

void TTimer::Tick() {
    if (OnTimer) OnTimer();
}

}  // namespace qm
