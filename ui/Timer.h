// A timer that ticks through the message loop of the GUI thread. Enabling a
// running timer does not restart its interval: several starts before a tick
// give one tick.
#pragma once

#include <windows.h>

#include <functional>

namespace qm {

class TTimer {
public:
    TTimer(UINT interval, bool enabled);
    ~TTimer();
    TTimer(const TTimer&) = delete;
    TTimer& operator=(const TTimer&) = delete;

    std::function<void()> OnTimer;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }

private:
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
    void Tick();

    UINT interval_;
    bool enabled_ = false;
    UINT_PTR id_ = 0;
};

}  // namespace qm
