// Keyboard-first editing: the shortcut keys, Redo, Find Next and Find
// Previous, Replace, Go To Line, switching tabs from the keyboard, the
// caret's line and column in the status bar and the modified mark on tabs.
#include <windows.h>

#include <string>

#include "app/GoToLinePrompt.h"
#include "app/MainForm.h"
#include "app/TextSearch.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/SystemError.h"
#include "ui/Utf.h"
#include "ui/WideText.h"

namespace qm {

namespace {
constexpr int kCaretPanel = 3;
}

void TForm1::CreateKeyboardComponents() {
    const HACCEL shortcuts = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDA_MAIN));
    if (!shortcuts) ThrowLastError("Cannot load the shortcut keys");
    Application().SetAccelerators(Handle(), shortcuts);
    ReplaceDialog1.OnFind = [this] { FindAgain(true, ReplaceDialog1.Handle()); };
    ReplaceDialog1.OnReplace = [this] { ReplaceDialog1Replace(); };
    ReplaceDialog1.OnReplaceAll = [this] { ReplaceDialog1ReplaceAll(); };
    // (During start-up the design's placeholder tab has no editor.)
    TN1.Marked = [this](int index) {
        return ListsCreated && TN1.Tabs().Count() == static_cast<int>(EditorList.size()) && index >= 0 &&
               index < static_cast<int>(EditorList.size()) && EditorList[static_cast<size_t>(index)]->Modified();
    };
}

bool TForm1::KeyboardCommand(int id) {
    switch (id) {
    case ID_EDIT_REDO: Redo1Click(); return true;
    case ID_EDIT_FINDNEXT: FindNext1Click(); return true;
    case ID_EDIT_FINDPREV: FindPrevious1Click(); return true;
    case ID_EDIT_REPLACE: Replace1Click(); return true;
    case ID_EDIT_GOTOLINE: GoToLine1Click(); return true;
    case ID_NEXT_TAB: SelectNextTab(1); return true;
    case ID_PREV_TAB: SelectNextTab(-1); return true;
    default: return false;
    }
}

// A shortcut does what its menu item does, and nothing while the item (or
// the menu it is in) is disabled.
bool TForm1::ShortcutEnabled(int id) const {
    if (id == ID_NEXT_TAB || id == ID_PREV_TAB) return TN1.Tabs().Count() > 0;
    const int menus = GetMenuItemCount(MainMenu1);
    for (int i = 0; i < menus; ++i) {
        const HMENU menu = GetSubMenu(MainMenu1, i);
        const UINT state = menu ? GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) : static_cast<UINT>(-1);
        if (state == static_cast<UINT>(-1)) continue;
        const UINT top = GetMenuState(MainMenu1, static_cast<UINT>(i), MF_BYPOSITION);
        return ((state | top) & (MF_GRAYED | MF_DISABLED)) == 0;
    }
    return true;
}

void TForm1::WatchEditor(TColorMemo& editor) {
    const TColorMemo* watched = &editor;
    editor.OnSelChange = [this, watched] {
        const int index = CurrentIndex();
        if (index >= 0 && index < static_cast<int>(EditorList.size()) &&
            EditorList[static_cast<size_t>(index)] == watched) {
            ShowCaretPosition();
        }
    };
    editor.OnModifiedChange = [this] { TN1.Refresh(); };
}

void TForm1::ShowCaretPosition() {
    const int index = CurrentIndex();
    std::string text;
    if (TN1.Tabs().Count() > 0 && index >= 0 && index < static_cast<int>(EditorList.size())) {
        int line = 0, column = 0;
        EditorList[static_cast<size_t>(index)]->CaretPosition(line, column);
        text = "Ln " + std::to_string(line) + ", Col " + std::to_string(column);
    }
    if (StatusBar1.PanelText(kCaretPanel) != text) StatusBar1.SetPanelText(kCaretPanel, text);
}

void TForm1::Redo1Click() { CurrentEditor().Redo(); }

void TForm1::SelectNextTab(int step) {
    const int count = TN1.Tabs().Count();
    if (count == 0) return;
    TN1.Tabs().SetTabIndex(((CurrentIndex() + step) % count + count) % count);
}

// Without a search yet, F3 opens the find dialog.
void TForm1::FindNext1Click() {
    if (FindDialog1.SearchText.empty()) {
        Find1Click();
        return;
    }
    FindAgain(true, Handle());
}

void TForm1::FindPrevious1Click() {
    if (FindDialog1.SearchText.empty()) {
        Find1Click();
        return;
    }
    FindAgain(false, Handle());
}

// Down from the end of the selection, or up from its start; a hit is
// selected. The search is the find dialog's last, or the replace dialog's.
bool TForm1::FindAgain(bool forward, HWND messageOwner) {
    if (messageOwner == ReplaceDialog1.Handle() && messageOwner) {
        FindDialog1.SearchText = ReplaceDialog1.SearchText;
        FindDialog1.MatchCase = ReplaceDialog1.MatchCase;
    }
    TColorMemo& editor = CurrentEditor();
    const std::u16string what = Utf8ToUtf16(FindDialog1.SearchText);
    const std::wstring text = editor.Text();
    const auto start = static_cast<size_t>(editor.SelStart());
    const long long hit = forward ? FindInText(AsUtf16(text), what, start + static_cast<size_t>(editor.SelLength()),
                                               FindDialog1.MatchCase)
                                  : FindLastInText(AsUtf16(text), what, start, FindDialog1.MatchCase);
    if (hit < 0) {
        ShowMessage(messageOwner, "\"" + FindDialog1.SearchText + "\" not found!");
        return false;
    }
    editor.SetFocus();
    editor.SetSelection(static_cast<int>(hit), static_cast<int>(what.size()));
    return true;
}

void TForm1::Replace1Click() {
    if (!ReplaceDialog1.Handle()) {
        ReplaceDialog1.SearchText = FindDialog1.SearchText;
        ReplaceDialog1.MatchCase = FindDialog1.MatchCase;
    }
    ReplaceDialog1.Execute(Handle());
}

// The selection, when it is the text searched for, is replaced (one undo
// step); then the next one is found.
void TForm1::ReplaceDialog1Replace() {
    TColorMemo& editor = CurrentEditor();
    const std::u16string what = Utf8ToUtf16(ReplaceDialog1.SearchText);
    const int length = editor.SelLength();
    if (length > 0 && static_cast<size_t>(length) == what.size()) {
        const std::wstring text = editor.Text();
        const auto start = static_cast<size_t>(editor.SelStart());
        if (FindInText(AsUtf16(text).substr(start, what.size()), what, 0, ReplaceDialog1.MatchCase) == 0) {
            const std::wstring with = Widen(ReplaceDialog1.ReplaceWith);
            SendMessageW(editor.Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(with.c_str()));
        }
    }
    FindAgain(true, ReplaceDialog1.Handle());
}

// Every match in the document, as one new text set at once and one undo step.
void TForm1::ReplaceDialog1ReplaceAll() {
    TColorMemo& editor = CurrentEditor();
    FindDialog1.SearchText = ReplaceDialog1.SearchText;
    FindDialog1.MatchCase = ReplaceDialog1.MatchCase;
    TReplacement replaced = ReplaceAllInText(AsUtf16(editor.Text()), Utf8ToUtf16(ReplaceDialog1.SearchText),
                                             Utf8ToUtf16(ReplaceDialog1.ReplaceWith), ReplaceDialog1.MatchCase);
    const size_t count = replaced.Changes.size();
    if (count == 0) {
        ShowMessage(ReplaceDialog1.Handle(), "\"" + ReplaceDialog1.SearchText + "\" not found!");
        return;
    }
    editor.ReplaceWholeText(std::move(replaced.Text), std::move(replaced.Changes));
    ShowMessage(ReplaceDialog1.Handle(), "Replaced " + std::to_string(count) +
                                             (count == 1 ? " occurrence." : " occurrences."));
}

void TForm1::GoToLine1Click() {
    const TColorMemo* editor = &CurrentEditor();
    int line = 0, column = 0;
    editor->CaretPosition(line, column);
    if (!RunGoToLinePrompt(Handle(), line)) return;
    MakeCurrent(editor);
    CurrentEditor().GoToLine(line);
    CurrentEditor().SetFocus();
}

}  // namespace qm
