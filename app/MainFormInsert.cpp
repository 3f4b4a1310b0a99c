// Tag and attribute insertion, colour values, file names and comments: all
// of them go into the current document through InsertAtCaret.
#include <windows.h>

#include <iterator>

#include "app/CommandText.h"
#include "app/CommentPrompt.h"
#include "app/MainForm.h"
#include "app/PathUtil.h"
#include "ui/Font.h"
#include "ui/WideText.h"

namespace qm {

// One replacement of the selection (by the UTF-8 text, as Unicode), one
// step that Undo takes back; the caret ends after the text, in view, and the
// document counts as changed.
void TForm1::InsertAtCaret(const std::string& text) {
    TColorMemo& editor = CurrentEditor();
    const HWND edit = editor.Handle();
    const std::wstring wide = Widen(text);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
    editor.SetModified(true);
    editor.SetFocus();
}

void TForm1::Insert(int menuItemId) {
    wchar_t caption[256];
    const int length = GetMenuStringW(PopupMenu2, static_cast<UINT>(menuItemId), caption,
                                      static_cast<int>(std::size(caption)), MF_BYCOMMAND);
    if (length <= 0) return;
    InsertAtCaret(Narrow(std::wstring_view(caption, static_cast<size_t>(length))));
}

// The dialogs below run their own message loops, during which another tab
// may become current: the text goes to the document the command began in.

void TForm1::Colors1Click() {
    const TColorMemo* editor = &CurrentEditor();
    if (!ColorDialog1.Execute(Handle())) return;
    MakeCurrent(editor);
    // A system colour counts with the red, green and blue it has now.
    InsertAtCaret(HtmlColorText(ToColorRef(ColorDialog1.Color)));
}

void TForm1::ToolButton14Click() { Colors1Click(); }

void TForm1::ToolButton15Click() {
    const TColorMemo* editor = &CurrentEditor();
    if (!OpenDialog2.Execute(Handle())) return;
    MakeCurrent(editor);
    InsertAtCaret(TabNameFromPath(OpenDialog2.FileName));
}

// Always enabled: with no document open the prompt still shows, and the
// editor's lookup then fails with the list error.
void TForm1::ToolButton19Click() {
    const int index = CurrentIndex();
    const TColorMemo* editor =
        index >= 0 && index < static_cast<int>(EditorList.size()) ? EditorList[static_cast<size_t>(index)] : nullptr;
    std::string comment;
    if (!RunCommentPrompt(Handle(), comment) || comment.empty()) return;
    if (editor) MakeCurrent(editor);
    InsertAtCaret(CommentText(comment));
}

}  // namespace qm
