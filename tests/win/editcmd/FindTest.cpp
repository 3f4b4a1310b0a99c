// Search in the current document: the find handler with the dialog's text
// and match-case box, and the system's find dialog itself.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "EditCmdSupport.h"
#include "MainFormFixture.h"
#include "resources/resource.h"

namespace {

using qm::TColorMemo;
using qmtest::MainFormTest;

class Find : public MainFormTest {
protected:
    TColorMemo& Editor() { return Form().CurrentEditor(); }
    void Search(const std::string& what, bool matchCase = false) {
        Form().FindDialog1.SearchText = what;
        Form().FindDialog1.MatchCase = matchCase;
        Form().FindDialog1Find();
    }
    void StartWith(const std::wstring& text) {
        Start();
        Editor().SetText(text);
        Editor().SetSelection(0, 0);
    }
    void ExpectSelected(int start, int length) {
        EXPECT_EQ(Editor().SelStart(), start);
        EXPECT_EQ(Editor().SelLength(), length);
    }
};

TEST_F(Find, AHitIsSelectedAndFindNextGoesOnFromIt) {
    StartWith(L"<td>a</td>\r\n<TD>b</TD>\r\n<td>c</td>");
    SetFocus(Form().Handle());
    Search("<td>");
    ExpectSelected(0, 4);
    EXPECT_EQ(GetFocus(), Editor().Handle()) << "the editor gets the focus";
    Search("<td>");
    ExpectSelected(12, 4);
    Search("<td>");
    ExpectSelected(24, 4);
    // At the end: a message, no wrapping round, the selection stays.
    dialogs.ExpectMessage("\"<td>\" not found!");
    Search("<td>");
    EXPECT_TRUE(dialogs.AllAnswered());
    ExpectSelected(24, 4);
}

TEST_F(Find, MatchCaseIsHonoured) {
    StartWith(L"<td>a</td>\r\n<TD>b</TD>");
    Search("<TD>", true);
    ExpectSelected(12, 4);
    Editor().SetSelection(0, 0);
    Search("<td>", true);
    ExpectSelected(0, 4);
    dialogs.ExpectMessage("\"</Td>\" not found!");
    Search("</Td>", true);
}

// The dialog's text is UTF-8; letters of every script fold, and the hit is
// selected in UTF-16 units (the emoji before it counts two).
TEST_F(Find, LettersOfEveryScriptFoldAndTheHitIsSelectedInUnits) {
    StartWith(L"\U0001F600 M\u00dcLLER \u0401\u041b\u041a\u0410");
    Search("\u0451\u043b\u043a\u0430");
    ExpectSelected(10, 4);
    Editor().SetSelection(0, 0);
    dialogs.ExpectMessage("\"m\u00fcller\" not found!");
    Search("m\u00fcller", true);
    EXPECT_TRUE(dialogs.AllAnswered());
}

TEST_F(Find, WithoutASelectionTheSearchStartsAtTheBeginning) {
    StartWith(L"abc abc");
    Editor().SetSelection(5, 0);
    Search("abc");
    ExpectSelected(0, 3);
    dialogs.ExpectMessage("\"xyz\" not found!");
    Search("xyz");
}

TEST_F(Find, TheRealDialogSearchesFromItsFindNextButton) {
    StartWith(L"one two one");
    Command(ID_EDIT_FIND);
    HWND dialog = Form().FindDialog1.Handle();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsWindowVisible(dialog));
    // Whole word and direction hidden, match case shown.
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, chx1)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, grp1)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, chx2)));
    SetWindowTextA(GetDlgItem(dialog, edt1), "ONE");
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    qmtest::PumpMessages();
    ExpectSelected(0, 3);
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    qmtest::PumpMessages();
    ExpectSelected(8, 3);
    SendMessageW(GetDlgItem(dialog, chx2), BM_CLICK, 0, 0);  // match case
    Editor().SetSelection(0, 0);
    dialogs.ExpectMessage("\"ONE\" not found!");
    SendMessageW(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    qmtest::PumpMessages();
    EXPECT_TRUE(dialogs.AllAnswered());

    // Shown once: Find again brings the same dialog to the front.
    Command(ID_EDIT_FIND);
    EXPECT_EQ(Form().FindDialog1.Handle(), dialog);
    // Closing it forgets it; closing the last document closes it too.
    SendMessageW(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    qmtest::PumpMessages();
    EXPECT_EQ(Form().FindDialog1.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
    Command(ID_EDIT_FIND);
    dialog = Form().FindDialog1.Handle();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(qm::WindowText(GetDlgItem(dialog, edt1)), "ONE") << "it opens with the last search text";
    Editor().SetModified(false);
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(Form().FindDialog1.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(dialog));
}

}  // namespace
