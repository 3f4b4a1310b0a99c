#include "app/GoToLinePrompt.h"

#include "resources/resource.h"
#include "ui/SystemError.h"

namespace qm {

namespace {

INT_PTR CALLBACK GoToLineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        const int line = *reinterpret_cast<int*>(lParam);
        SetDlgItemInt(dialog, IDC_GOTOLINE_NUMBER, static_cast<UINT>(line), FALSE);
        SendDlgItemMessageW(dialog, IDC_GOTOLINE_NUMBER, EM_LIMITTEXT, 9, 0);
        SendDlgItemMessageW(dialog, IDC_GOTOLINE_NUMBER, EM_SETSEL, 0, -1);
        return TRUE;  // the focus goes to the number
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            BOOL number = FALSE;
            const UINT typed = GetDlgItemInt(dialog, IDC_GOTOLINE_NUMBER, &number, FALSE);
            if (!number) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            *reinterpret_cast<int*>(GetWindowLongPtrW(dialog, DWLP_USER)) = static_cast<int>(typed);
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

bool RunGoToLinePrompt(HWND owner, int& line) {
    int chosen = line;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_GOTOLINE), owner,
                                           GoToLineProc, reinterpret_cast<LPARAM>(&chosen));
    if (result == -1) ThrowLastError("Cannot show the Go To Line prompt");
    if (result != IDOK) return false;
    line = chosen;
    return true;
}

}  // namespace qm
