// The Edit menu, the editor menu's Functions, the Cut, Copy and Paste
// buttons, Print's hand-over to the print dialog, search, and the dispatch
// of the editing, insertion and run commands.
#include <windows.h>

#include "app/MainForm.h"
#include "app/TextSearch.h"
#include "ui/WideText.h"
#include "resources/resource.h"
#include "ui/MessageBoxes.h"
#include "ui/Utf.h"

namespace qm {

namespace {
constexpr int kEditMenuPosition = 1;  // "&Edit" on the menu bar
}

void TForm1::CreateEditingComponents() {
    OpenDialog2.Filter = "JPEG|*.jpg|GIF|*.gif|HTML|*.htm;*.html|All|*.jpg;*.gif;*.htm;*.html";
    OpenDialog2.FilterIndex = 1;
    FindDialog1.OnFind = [this] { FindDialog1Find(); };
}

bool TForm1::EditingCommand(int id) {
    if (KeyboardCommand(id)) return true;
    switch (id) {
    case ID_EDIT_UNDO: Undo1Click(); return true;
    case ID_EDIT_REPAINT: Repaint1Click(); return true;
    case ID_EDIT_CUT: case ID_FUNC_CUT: Cut1Click(); return true;
    case ID_EDIT_COPY: case ID_FUNC_COPY: Copy1Click(); return true;
    case ID_EDIT_PASTE: case ID_FUNC_PASTE: Paste1Click(); return true;
    case ID_EDIT_DELETE: case ID_FUNC_DELETE: Delete1Click(); return true;
    case ID_EDIT_SELECTALL: SelectAll1Click(); return true;
    case ID_EDIT_WORDWRAP: WordWrap1Click(); return true;
    case ID_EDIT_FIND: Find1Click(); return true;
    case ID_POPUP_COLORS: Colors1Click(); return true;
    case ID_TB_COLORS: ToolButton14Click(); return true;
    case ID_POPUP_FILENAME: case ID_TB_FILENAME: ToolButton15Click(); return true;
    case ID_TB_COMMENT: ToolButton19Click(); return true;
    case ID_TB_FTP: case ID_RUN_FTP: ToolButton17Click(); return true;
    case ID_TB_BROWSER: case ID_RUN_BROWSER: ToolButton20Click(); return true;
    case ID_TAG_NONE: return true;  // a filler: nothing happens
    default:
        if (id >= ID_INSERT_FIRST && id <= ID_INSERT_LAST) {
            Insert(id);
            return true;
        }
        return false;
    }
}

bool TForm1::EditingMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (FindDialog1.HandleOwnerMessage(message, wParam, lParam)) return true;
    if (ReplaceDialog1.HandleOwnerMessage(message, wParam, lParam)) return true;
    if (message == WM_INITMENUPOPUP && reinterpret_cast<HMENU>(wParam) == GetSubMenu(MainMenu1, kEditMenuPosition)) {
        Edit1Click();
        // The menu opens as usual.
        return false;
    }
    return false;
}

void TForm1::Undo1Click() { CurrentEditor().Undo(); }

void TForm1::Repaint1Click() {
    TColorMemo& editor = CurrentEditor();
    editor.ForgetCopiedText();
    RedrawWindow(editor.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// (A Unicode control: the clipboard carries Unicode text.)
void TForm1::Cut1Click() { SendMessageW(CurrentEditor().Handle(), WM_CUT, 0, 0); }

void TForm1::Copy1Click() { SendMessageW(CurrentEditor().Handle(), WM_COPY, 0, 0); }

void TForm1::Paste1Click() { SendMessageW(CurrentEditor().Handle(), WM_PASTE, 0, 0); }

void TForm1::Delete1Click() { SendMessageW(CurrentEditor().Handle(), WM_CLEAR, 0, 0); }

void TForm1::SelectAll1Click() { SendMessageW(CurrentEditor().Handle(), EM_SETSEL, 0, -1); }

// The mark follows the editor in front; switching goes from the editor's
// own setting, so a mark not refreshed since a tab change cannot mislead it.
void TForm1::WordWrap1Click() {
    TColorMemo& editor = CurrentEditor();
    const bool wrap = !editor.WordWrap();
    editor.SetWordWrap(wrap, wrap ? TScrollStyle::ssVertical : TScrollStyle::ssBoth);
    CheckMenuItem(MainMenu1, ID_EDIT_WORDWRAP, MF_BYCOMMAND | (editor.WordWrap() ? MF_CHECKED : MF_UNCHECKED));
}

void TForm1::Edit1Click() {
    const int index = CurrentIndex();
    if (index < 0 || index >= static_cast<int>(EditorList.size())) return;
    CheckMenuItem(MainMenu1, ID_EDIT_WORDWRAP,
                  MF_BYCOMMAND | (CurrentEditor().WordWrap() ? MF_CHECKED : MF_UNCHECKED));
}

void TForm1::Print1Click() {
    TColorMemo& editor = CurrentEditor();
    if (editor.LineCount() >= 1) {
        if (TForm2* print = PrintForm()) print->Show();
        return;
    }
    ShowMessage(Handle(), "It`s nothing to print in " + TN1.Tabs().Tab(CurrentIndex()));
}

void TForm1::Find1Click() { FindDialog1.Execute(Handle()); }

// Searches the current document once, from after the selection (from the
// start when nothing is selected), and selects the hit. The dialog's text is
// UTF-8; without match case letters of every script match in either case.
void TForm1::FindDialog1Find() {
    TColorMemo& editor = CurrentEditor();
    const std::u16string what = Utf8ToUtf16(FindDialog1.SearchText);
    const int selLength = editor.SelLength();
    const size_t from = selLength > 0 ? static_cast<size_t>(editor.SelStart()) + static_cast<size_t>(selLength) : 0;
    const long long hit = FindInText(AsUtf16(editor.Text()), what, from, FindDialog1.MatchCase);
    if (hit < 0) {
        ShowMessage(FindDialog1.Handle() ? FindDialog1.Handle() : Handle(),
                    "\"" + FindDialog1.SearchText + "\" not found!");
        return;
    }
    editor.SetFocus();
    editor.SetSelection(static_cast<int>(hit), static_cast<int>(what.size()));
}

}  // namespace qm
