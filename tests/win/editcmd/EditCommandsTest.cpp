// The Edit menu commands, the editor menu's Functions and Print's hand-over,
// on the main window made in this process.
#include <windows.h>

#include <gtest/gtest.h>

#include "EditCmdSupport.h"
#include "MainFormFixture.h"
#include "resources/resource.h"

namespace {

using qm::TColorMemo;
using qmtest::MainFormTest;

class EditCommands : public MainFormTest {
protected:
    TColorMemo& Editor() { return Form().CurrentEditor(); }
    // Opens the Edit menu as the menu bar does (WM_INITMENUPOPUP) and says
    // whether WordWrap carries its check mark.
    bool WordWrapMarkAfterOpeningEdit() {
        HMENU edit = GetSubMenu(Form().MainMenu1, 1);
        SendMessageW(Form().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
        return (GetMenuState(Form().MainMenu1, ID_EDIT_WORDWRAP, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    static LONG_PTR Style(const TColorMemo& editor) { return GetWindowLongPtrA(editor.Handle(), GWL_STYLE); }
};

TEST_F(EditCommands, DeleteRemovesTheSelectionOnlyAndNothingWithoutOne) {
    Start();
    Editor().SetText(L"<p>hello world</p>");
    Editor().SetModified(false);
    Editor().SetSelection(5, 0);
    Command(ID_EDIT_DELETE);
    EXPECT_EQ(Editor().Text(), L"<p>hello world</p>");
    EXPECT_FALSE(Editor().Modified()) << "Delete with nothing selected changes nothing";
    Editor().SetSelection(3, 6);
    Command(ID_FUNC_DELETE);
    EXPECT_EQ(Editor().Text(), L"<p>world</p>");
    EXPECT_TRUE(Editor().Modified());
}

TEST_F(EditCommands, CopyCutPasteThroughTheClipboardAndSelectAll) {
    Start();
    Editor().SetText(L"one two");
    Editor().SetSelection(0, 3);
    Command(ID_EDIT_COPY);
    Editor().SetSelection(7, 0);
    Command(ID_FUNC_PASTE);
    EXPECT_EQ(Editor().Text(), L"one twoone");
    Editor().SetSelection(4, 3);
    Command(ID_EDIT_CUT);
    EXPECT_EQ(Editor().Text(), L"one one");
    Editor().SetSelection(0, 0);
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Editor().Text(), L"twoone one");
    Command(ID_EDIT_SELECTALL);
    EXPECT_EQ(Editor().SelStart(), 0);
    EXPECT_EQ(Editor().SelLength(), 10);
    Command(ID_FUNC_CUT);
    EXPECT_EQ(Editor().Text(), L"");
    Command(ID_FUNC_COPY);  // nothing selected: the clipboard keeps the cut text
    Command(ID_EDIT_PASTE);
    EXPECT_EQ(Editor().Text(), L"twoone one");
}

TEST_F(EditCommands, UndoGoesBackAndRedoForward) {
    Start();
    Type("abc");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Editor().Text(), L"");
    EXPECT_FALSE(Editor().Modified()) << "back at the text as it was made";
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Editor().Text(), L"") << "a second Undo no longer redoes";
    Command(ID_EDIT_REDO);
    EXPECT_EQ(Editor().Text(), L"abc");
    EXPECT_TRUE(Editor().Modified());
}

TEST_F(EditCommands, WordWrapIsKeptPerTabWithTextSelectionMarkAndControlObject) {
    Start();
    TColorMemo* first = &Editor();
    std::wstring longLine(400, L'x');
    first->SetText(L"<p>" + longLine + L"</p>\r\nsecond");
    first->SetSelection(2, 5);
    first->SetModified(true);
    int changes = 0;
    first->OnChange = [&changes] { ++changes; };
    const HWND oldHandle = first->Handle();
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(oldHandle, WM_GETFONT, 0, 0));
    ASSERT_TRUE(Style(*first) & WS_HSCROLL);
    EXPECT_FALSE(WordWrapMarkAfterOpeningEdit());

    Command(ID_EDIT_WORDWRAP);
    EXPECT_TRUE(first->WordWrap());
    EXPECT_EQ(first->ScrollBars(), qm::TScrollStyle::ssVertical);
    EXPECT_NE(first->Handle(), oldHandle) << "the native control was made again";
    EXPECT_FALSE(IsWindow(oldHandle));
    EXPECT_EQ(Form().EditorList[0], first) << "the same editor stays in the list";
    EXPECT_FALSE(Style(*first) & WS_HSCROLL) << "no horizontal scroll bar with word wrap";
    EXPECT_FALSE(Style(*first) & ES_AUTOHSCROLL);
    EXPECT_TRUE(Style(*first) & WS_VSCROLL);
    EXPECT_EQ(first->Text(), L"<p>" + longLine + L"</p>\r\nsecond");
    EXPECT_EQ(first->SelStart(), 2);
    EXPECT_EQ(first->SelLength(), 5);
    EXPECT_TRUE(first->Modified());
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(first->Handle(), WM_GETFONT, 0, 0)), font);
    EXPECT_GT(SendMessageW(first->Handle(), EM_GETLINECOUNT, 0, 0), 2) << "the long line wraps";
    EXPECT_EQ(changes, 0) << "putting the text back is no change of the user's";
    EXPECT_EQ(first->PopupMenu(), Form().PopupMenu2);
    EXPECT_EQ(GetFocus(), first->Handle()) << "the editor keeps the focus";
    EXPECT_TRUE(WordWrapMarkAfterOpeningEdit());
    // The new window reports typing as the old one did.
    first->SetSelection(0, 0);
    Type("!");
    EXPECT_EQ(changes, 1);

    Command(ID_FILE_NEW);
    TColorMemo* second = &Editor();
    ASSERT_NE(second, first);
    EXPECT_FALSE(second->WordWrap()) << "a new document starts without word wrap";
    EXPECT_FALSE(WordWrapMarkAfterOpeningEdit());
    EXPECT_TRUE(Style(*second) & WS_HSCROLL);

    Form().TN1.Tabs().SetTabIndex(0);
    EXPECT_TRUE(WordWrapMarkAfterOpeningEdit());
    EXPECT_TRUE(first->WordWrap());
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_FALSE(IsWindowVisible(second->Handle()));
    EXPECT_EQ(first->Text(), L"!<p>" + longLine + L"</p>\r\nsecond");
    EXPECT_TRUE(first->Modified());

    Command(ID_EDIT_WORDWRAP);
    EXPECT_FALSE(first->WordWrap());
    EXPECT_EQ(first->ScrollBars(), qm::TScrollStyle::ssBoth);
    EXPECT_TRUE(Style(*first) & WS_HSCROLL);
    EXPECT_FALSE(WordWrapMarkAfterOpeningEdit());
    EXPECT_EQ(SendMessageW(first->Handle(), EM_GETLINECOUNT, 0, 0), 2);
    EXPECT_FALSE(second->WordWrap()) << "the other document keeps its own setting";
}

TEST_F(EditCommands, WordWrapKeepsTheTextAtTheTopOfTheView) {
    Start();
    std::wstring text;
    for (int i = 0; i < 400; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    Editor().SetText(text);
    Editor().SetSelection(0, 0);
    SendMessageW(Editor().Handle(), EM_LINESCROLL, 0, 200);
    ASSERT_EQ(SendMessageW(Editor().Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 200);
    Command(ID_EDIT_WORDWRAP);
    EXPECT_EQ(SendMessageW(Editor().Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 200)
        << "short lines: the same line stays at the top, although the caret is at the start";
    Command(ID_EDIT_WORDWRAP);
    EXPECT_EQ(SendMessageW(Editor().Handle(), EM_GETFIRSTVISIBLELINE, 0, 0), 200);
}

TEST_F(EditCommands, PrintOfAnEmptyDocumentSaysThereIsNothingToPrint) {
    Start();
    dialogs.ExpectMessage("It`s nothing to print in Untitled");
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(dialogs.AllAnswered());

    // A text of only line breaks has lines: no message, the print dialog
    // shows, without being modal.
    qm::TForm2 print(Form());
    Form().SetSecondaryForms(nullptr, &print, nullptr);
    Editor().SetText(L"\r\n");
    Command(ID_TAB_PRINT);
    EXPECT_TRUE(IsWindowVisible(print.Handle()));
    EXPECT_TRUE(IsWindowEnabled(Form().Handle()));
    print.Hide();
    Editor().SetText(L"<p>");
    Command(ID_FILE_PRINT);
    EXPECT_TRUE(IsWindowVisible(print.Handle()));
    EXPECT_EQ(dialogs.Requests().size(), 1u);
    Form().SetSecondaryForms(nullptr, nullptr, nullptr);
}

TEST_F(EditCommands, PrintNamesTheCurrentTab) {
    qmtest::WriteBytes(dir.File("page.htm"), "");
    Start("page.htm");
    dialogs.ExpectMessage("It`s nothing to print in page.htm");
    Command(ID_TAB_PRINT);
}

TEST_F(EditCommands, RepaintDrawsTheEditorAgainAtOnce) {
    Start();
    Editor().SetText(L"<b>bold</b>");
    qmtest::PumpMessages();
    Editor().ResetStats();
    Command(ID_EDIT_REPAINT);
    EXPECT_GT(Editor().Stats().Paints, 0u) << "painted before the command returned";
}

TEST_F(EditCommands, WithNoDocumentTheEditMenuAndTheEditorMenuAreOff) {
    Start();
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(TabCount(), 0);
    EXPECT_TRUE(GetMenuState(Form().MainMenu1, 1, MF_BYPOSITION) & MF_GRAYED);
    for (int id : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_FILE_PRINT}) {
        EXPECT_FALSE(Form().ToolBar1.IsEnabled(id)) << id;
    }
    EXPECT_FALSE(Form().ColorMemo1->PopupEnabled());
    // Opening the Edit menu with no document changes no mark and raises nothing.
    SendMessageW(Form().Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(GetSubMenu(Form().MainMenu1, 1)), 1);
    EXPECT_TRUE(dialogs.Requests().empty());
}

}  // namespace
