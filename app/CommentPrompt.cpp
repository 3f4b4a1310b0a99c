#include "app/CommentPrompt.h"

#include "resources/resource.h"
#include "ui/DialogSeam.h"
#include "ui/Errors.h"
#include "ui/SystemError.h"
#include "ui/Window.h"

namespace qm {

namespace {

constexpr char kCaption[] = "Comment....";
constexpr char kPrompt[] = "Type the comment here";

INT_PTR CALLBACK CommentProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SendDlgItemMessageA(dialog, IDC_COMMENT_TEXT, EM_LIMITTEXT, kCommentMaxLength, 0);
        return TRUE;  // the focus goes to the line
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            auto* comment = reinterpret_cast<std::string*>(GetWindowLongPtrA(dialog, DWLP_USER));
            if (comment) *comment = WindowText(GetDlgItem(dialog, IDC_COMMENT_TEXT));
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        case IDCANCEL:
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        default:
            break;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

}  // namespace

bool RunCommentPrompt(HWND owner, std::string& comment) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::InputQuery;
        request.caption = kCaption;
        request.text = kPrompt;
        const DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok) return false;
        comment = response.text.substr(0, kCommentMaxLength);
        return true;
    }
    std::string typed;
    const INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_COMMENT), owner,
                                           CommentProc, reinterpret_cast<LPARAM>(&typed));
    if (result == -1) ThrowLastError("Cannot show the comment prompt");
    if (result != IDOK) return false;
    comment = typed;
    return true;
}

}  // namespace qm
