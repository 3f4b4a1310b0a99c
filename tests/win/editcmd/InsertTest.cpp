// Tag, attribute, colour, file-name and comment insertion on the main
// window made in this process, with its dialogs scripted.
#include <windows.h>

#include <gtest/gtest.h>

#include "EditCmdSupport.h"
#include "MainFormFixture.h"
#include "resources/resource.h"

namespace {

using qm::DialogAnswer;
using qm::DialogKind;
using qm::TColorMemo;
using qmtest::MainFormTest;
using qmtest::MenuIdOf;

class Insertion : public MainFormTest {
protected:
    TColorMemo& Editor() { return Form().CurrentEditor(); }
    // Chooses the entry of the editor menu with this caption.
    void Choose(const std::string& caption, int occurrence = 0) {
        const int id = MenuIdOf(Form().PopupMenu2, caption, occurrence);
        ASSERT_GE(id, 0) << caption;
        Command(id);
    }
    void StartWith(const std::wstring& text, int selStart, int selLength) {
        Start();
        Editor().SetText(text);
        Editor().SetModified(false);
        Editor().SetSelection(selStart, selLength);
    }
    int Caret() { return Editor().SelStart() + Editor().SelLength(); }
};

TEST_F(Insertion, ASelectedWordIsReplacedByTheTag) {
    StartWith(L"say hello now", 4, 5);
    Choose("<B>");
    EXPECT_EQ(Editor().Text(), L"say <B> now");
    EXPECT_EQ(Editor().SelLength(), 0);
    EXPECT_EQ(Editor().SelStart(), 7) << "the caret after the text";
    EXPECT_TRUE(Editor().Modified());
    EXPECT_EQ(GetFocus(), Editor().Handle());
}

TEST_F(Insertion, TheCaptionGoesInWithItsAsterisksAndQuotes) {
    StartWith(L"", 0, 0);
    Choose("<A HREF=\"*.*\">");
    EXPECT_EQ(Editor().Text(), L"<A HREF=\"*.*\">");
    EXPECT_EQ(Editor().Text().size(), 14u);
    EXPECT_EQ(Caret(), 14);
    Choose("BGCOLOR=\"#******\"");
    Choose("ROWS=\"*%,*%\"");
    EXPECT_EQ(Editor().Text(), L"<A HREF=\"*.*\">BGCOLOR=\"#******\"ROWS=\"*%,*%\"");
}

TEST_F(Insertion, UndoTakesBackAnInsertionOverASelectionAsOneStep) {
    StartWith(L"", 0, 0);
    Type("abc");
    Editor().SetSelection(1, 1);
    Choose("<HR>");
    ASSERT_EQ(Editor().Text(), L"a<HR>c");
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Editor().Text(), L"abc") << "the selected word comes back";
    EXPECT_EQ(Editor().SelStart(), 1);
    EXPECT_EQ(Editor().SelLength(), 1);
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(Editor().Text(), L"") << "then the typing before it";
}

TEST_F(Insertion, NoneFillersChangeNothing) {
    StartWith(L"text", 2, 1);
    HMENU frames = qmtest::SubMenuOf(Form().PopupMenu2, "Frames");
    ASSERT_NE(frames, nullptr);
    ASSERT_EQ(qmtest::Captions(frames)[4], "none");
    Command(static_cast<int>(GetMenuItemID(frames, 4)));
    Choose("none", 5);
    EXPECT_EQ(Editor().Text(), L"text");
    EXPECT_FALSE(Editor().Modified());
    EXPECT_EQ(Editor().SelStart(), 2);
    EXPECT_EQ(Editor().SelLength(), 1);
}

TEST_F(Insertion, TheSecondClosingLinkTagInsertsLikeTheFirst) {
    StartWith(L"", 0, 0);
    const int first = MenuIdOf(Form().PopupMenu2, "</A>", 0);
    const int second = MenuIdOf(Form().PopupMenu2, "</A>", 1);
    ASSERT_GE(second, 0);
    EXPECT_NE(first, second);
    Command(second);
    EXPECT_EQ(Editor().Text(), L"</A>");
    Command(first);
    EXPECT_EQ(Editor().Text(), L"</A></A>");
}

TEST_F(Insertion, TagSubmenusHaveTwoColumnsAndTheMenuItsOrder) {
    Start();
    const std::vector<std::string> top = qmtest::Captions(Form().PopupMenu2);
    const std::vector<std::string> expected = {"Functions", "", "Frames", "Picture", "Table", "List", "Font",
                                               "Text", "Etc.", "Link", "", "Addons", "Colors...", "Filename..."};
    EXPECT_EQ(top, expected);
    EXPECT_EQ(qmtest::Captions(GetSubMenu(Form().PopupMenu2, 0)),
              (std::vector<std::string>{"Copy", "Cut", "Paste", "Delete"}));
    // Every tag submenu: the second column starts with a column break and
    // is as long as the first.
    for (int position = 2; position <= 9; ++position) {
        HMENU sub = GetSubMenu(Form().PopupMenu2, position);
        ASSERT_NE(sub, nullptr);
        const int count = GetMenuItemCount(sub);
        ASSERT_EQ(count % 2, 0) << top[static_cast<size_t>(position)];
        for (int i = 0; i < count; ++i) {
            const bool breaks = (GetMenuState(sub, static_cast<UINT>(i), MF_BYPOSITION) & MF_MENUBARBREAK) != 0;
            EXPECT_EQ(breaks, i == count / 2) << top[static_cast<size_t>(position)] << " entry " << i;
            const std::string caption = qmtest::Captions(sub)[static_cast<size_t>(i)];
            if (caption == "none") {
                EXPECT_EQ(GetMenuItemID(sub, i), static_cast<UINT>(ID_TAG_NONE));
            } else {
                EXPECT_GE(GetMenuItemID(sub, i), static_cast<UINT>(ID_INSERT_FIRST));
                EXPECT_LE(GetMenuItemID(sub, i), static_cast<UINT>(ID_INSERT_LAST));
            }
        }
    }
    HMENU font = qmtest::SubMenuOf(Form().PopupMenu2, "Font");
    EXPECT_EQ(GetMenuItemCount(font), 30);
    HMENU addons = qmtest::SubMenuOf(Form().PopupMenu2, "Addons");
    const std::vector<std::string> addonCaptions = qmtest::Captions(addons);
    ASSERT_EQ(addonCaptions.size(), 12u);
    EXPECT_EQ(addonCaptions[0], "Body");
    EXPECT_EQ(addonCaptions[9], addonCaptions[11]) << "the last entry repeats the seventh";
    EXPECT_EQ(addonCaptions[11], "ALT=\"*\"");
}

TEST_F(Insertion, ColoursGoInAsHashRedGreenBlue) {
    StartWith(L"<BODY BGCOLOR=>", 14, 0);
    dialogs.ExpectColor(DialogAnswer::Ok, 0x000080FF);  // red 255, green 128, blue 0
    Command(ID_POPUP_COLORS);
    EXPECT_EQ(Editor().Text(), L"<BODY BGCOLOR=#FF8000>");
    EXPECT_EQ(Caret(), 21);
    dialogs.ExpectColor(DialogAnswer::Ok, 0x00FF0000);
    Command(ID_TB_COLORS);
    EXPECT_EQ(Editor().Text(), L"<BODY BGCOLOR=#FF8000#0000FF>");
    dialogs.ExpectColor(DialogAnswer::Cancel);
    Command(ID_TB_COLORS);
    EXPECT_EQ(Editor().Text(), L"<BODY BGCOLOR=#FF8000#0000FF>");
    const auto& requests = dialogs.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].color, qm::clBlack) << "black the first time";
    EXPECT_EQ(requests[1].color, 0x000080FFu) << "then the colour last chosen";
    EXPECT_EQ(requests[2].color, 0x00FF0000u);
}

TEST_F(Insertion, ASystemColourIsTurnedIntoItsRedGreenBlue) {
    StartWith(L"", 0, 0);
    dialogs.ExpectColor(DialogAnswer::Ok, 0x80000000 | COLOR_HIGHLIGHT);
    Command(ID_POPUP_COLORS);
    const COLORREF rgb = GetSysColor(COLOR_HIGHLIGHT);
    wchar_t expected[8];
    swprintf(expected, std::size(expected), L"#%02X%02X%02X", GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
    EXPECT_EQ(Editor().Text(), expected);
}

TEST_F(Insertion, FileNamesGoInWithoutTheirFolders) {
    StartWith(L"<IMG SRC=\"\">", 10, 0);
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, "C:\\Web\\img\\logo.gif");
    Command(ID_POPUP_FILENAME);
    EXPECT_EQ(Editor().Text(), L"<IMG SRC=\"logo.gif\">");
    EXPECT_EQ(Caret(), 18);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].filter, "JPEG|*.jpg|GIF|*.gif|HTML|*.htm;*.html|All|*.jpg;*.gif;*.htm;*.html");
    EXPECT_EQ(dialogs.Requests()[0].filterIndex, 1);
    // A forward slash is no separator; a cancelled dialog inserts nothing.
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, "C:\\Web\\img/sub/a.jpg");
    Command(ID_TB_FILENAME);
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Cancel);
    Command(ID_TB_FILENAME);
    EXPECT_EQ(Editor().Text(), L"<IMG SRC=\"logo.gifimg/sub/a.jpg\">");
    // A name in any script (the dialog gives UTF-8).
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, "C:\\Web\\\u03a9mega \u65e5\u672c.gif");
    Command(ID_TB_FILENAME);
    EXPECT_EQ(Editor().Text(), L"<IMG SRC=\"logo.gifimg/sub/a.jpg\u03a9mega \u65e5\u672c.gif\">");
}

TEST_F(Insertion, CommentsAreWrappedInMarkersAndBlanksKept) {
    StartWith(L"ab", 1, 0);
    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, "Hello");
    Command(ID_TB_COMMENT);
    EXPECT_EQ(Editor().Text(), L"a<!--Hello-->b");
    EXPECT_EQ(Caret(), 13);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].text, "Type the comment here");

    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, "   ");
    Command(ID_TB_COMMENT);
    EXPECT_EQ(Editor().Text(), L"a<!--Hello--><!--   -->b");
    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, "");
    Command(ID_TB_COMMENT);
    dialogs.ExpectInput("Comment....", DialogAnswer::Cancel, "ignored");
    Command(ID_TB_COMMENT);
    EXPECT_EQ(Editor().Text(), L"a<!--Hello--><!--   -->b") << "empty or cancelled: nothing";
    // Any script; the line takes 255 UTF-16 units, and an emoji that would
    // not fit whole is left out whole.
    const std::wstring before = Editor().Text();
    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, "\u65e5\u672c \u2014 \u0101 \U0001F600");
    Command(ID_TB_COMMENT);
    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, std::string(254, 'x') + "\U0001F600");
    Command(ID_TB_COMMENT);
    EXPECT_EQ(Editor().Text(), before.substr(0, 23) + L"<!--\u65e5\u672c \u2014 \u0101 \U0001F600--><!--" +
                                   std::wstring(254, L'x') + L"-->b");
}

TEST_F(Insertion, ACommentWithNoDocumentGivesTheListErrorAndChangesNothing) {
    Start();
    Command(ID_FILE_CLOSE);
    ASSERT_EQ(TabCount(), 0);
    EXPECT_TRUE(Form().ToolBar1.IsEnabled(ID_TB_COMMENT)) << "Make a comment stays enabled";
    const std::wstring prototypeText = Form().ColorMemo1->Text();
    dialogs.ExpectInput("Comment....", DialogAnswer::Ok, "Hello");
    dialogs.Expect(DialogKind::Error, "List index out of bounds (-1)", DialogAnswer::Ok);
    Command(ID_TB_COMMENT);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(TabCount(), 0);
    EXPECT_TRUE(Form().EditorList.empty());
    EXPECT_EQ(Form().ColorMemo1->Text(), prototypeText);
}

}  // namespace
