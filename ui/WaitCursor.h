// The wait cursor (the hourglass) while a long piece of work runs on the GUI
// thread: opening, saving, re-colouring or re-making a big document. The
// cursor that showed before comes back when the holder goes, on every path,
// also when the work throws. No message is handled meanwhile, so nothing
// sets another cursor in between.
#pragma once

#include <windows.h>

namespace qm {

class WaitCursor {
public:
    WaitCursor() : old_(::SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)))) {}  // IDC_WAIT
    ~WaitCursor() { ::SetCursor(old_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

}  // namespace qm
