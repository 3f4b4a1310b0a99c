#include "app/CommentPrompt.h"

#include <algorithm>

#include "editor/TextUnits.h"
#include "resources/resource.h"
#include "ui/DialogSeam.h"
#include "ui/Errors.h"
#include "ui/SystemError.h"
#include "ui/Utf.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr char kCaption[] = "Comment....";
constexpr char kPrompt[] = "Type the comment here";

// The typed line as UTF-8.
std::string TypedText(HWND edit) {
    std::wstring text(static_cast<size_t>(std::max(GetWindowTextLengthW(edit), 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(std::max(GetWindowTextW(edit, text.data(), static_cast<int>(text.size())), 0)));
    return Narrow(text);
}

// (A Unicode dialog: any script can be typed.)
INT_PTR CALLBACK CommentProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        SendDlgItemMessageW(dialog, IDC_COMMENT_TEXT, EM_LIMITTEXT, kCommentMaxLength, 0);
        return TRUE;  // the focus goes to the line
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK: {
            auto* comment = reinterpret_cast<std::string*>(GetWindowLongPtrW(dialog, DWLP_USER));
            if (comment) *comment = TypedText(GetDlgItem(dialog, IDC_COMMENT_TEXT));
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
        // As the line takes it: at most so many UTF-16 units, an emoji whole.
        comment = Utf16ToUtf8(CutBeforePair(Utf8ToUtf16(response.text), kCommentMaxLength));
        return true;
    }
    std::string typed;
    const INT_PTR result = DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_COMMENT), owner,
                                           CommentProc, reinterpret_cast<LPARAM>(&typed));
    if (result == -1) ThrowLastError("Cannot show the comment prompt");
    if (result != IDOK) return false;
    comment = typed;
    return true;
}

}  // namespace qm
