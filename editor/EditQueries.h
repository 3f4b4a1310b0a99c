// The native EDIT control as the colouring editor asks it (a Unicode
// control, asked in UTF-16): every message counted in the control's stats. The questions go straight to the EDIT
// class's own window procedure: they change nothing, and under Wine every
// message through the control's subclass costs a few round trips to the
// server (some 25 microseconds, against half a microsecond for the control
// itself).
#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/MemoText.h"

namespace qm {

class TEditQueries final : public TEditLines {
public:
    TEditQueries(const HWND& window, TColorMemoStats& stats) : window_(window), stats_(stats) {}

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    int32_t LineIndex(int32_t line) const override {
        return static_cast<int32_t>(Send(EM_LINEINDEX, static_cast<WPARAM>(line)));
    }
    int32_t LineLength(int32_t offset) const override {
        return static_cast<int32_t>(Send(EM_LINELENGTH, static_cast<WPARAM>(offset)));
    }
    int32_t GetLine(int32_t line, char16_t* to, int32_t room) const override;
    int32_t GetText(char16_t* to, int32_t size) const override;
    int32_t LineFromChar(int32_t offset) const {
        return static_cast<int32_t>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(offset)));
    }
    // Client position of a character (16-bit signed coordinates).
    POINT PosFromChar(int32_t offset) const;
    TColorMemoStats& Stats() const override { return stats_; }

private:
    const HWND& window_;
    TColorMemoStats& stats_;
    mutable HWND procWindow_ = nullptr;  // the window whose class procedure is known
    mutable WNDPROC proc_ = nullptr;
};

}  // namespace qm
