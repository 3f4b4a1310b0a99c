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
    WaitCursor() : old_(::SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)))) {}  // IDC_WAIT
    // A thread that showed no cursor yet gets the arrow rather than none.
    ~WaitCursor() { ::SetCursor(old_ ? old_ : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512))); }  // IDC_ARROW
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR old_;
};

}  // namespace qm
