// Start-up, layout and the switch of the document commands.
#include <windows.h>
#include <commctrl.h>

#include "MainFormFixture.h"
#include "app/PathUtil.h"
#include "resources/resource.h"
#include "ui/WideText.h"

namespace qmtest {
namespace {

using qm::DialogKind;

bool MenuItemEnabled(HMENU menu, UINT id) {
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

bool EditMenuEnabled(HMENU mainMenu) {
    return !(GetMenuState(mainMenu, 1, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
}

void ExpectDocumentCommands(qm::TForm1& form, bool enabled) {
    for (UINT id : {ID_FILE_SAVE, ID_FILE_SAVEAS, ID_FILE_PRINT, ID_FILE_CLOSE, ID_FILE_CLOSEALL}) {
        EXPECT_EQ(MenuItemEnabled(form.MainMenu1, id), enabled) << "menu item " << id;
    }
    EXPECT_EQ(EditMenuEnabled(form.MainMenu1), enabled);
    for (UINT id : {ID_TAB_SAVE, ID_TAB_SAVEAS, ID_TAB_PRINT, ID_TAB_CLOSE, ID_TAB_CLOSEALL}) {
        EXPECT_EQ(MenuItemEnabled(form.PopupMenu1, id), enabled) << "tab menu item " << id;
    }
    for (int id : {ID_FILE_SAVE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_FILE_PRINT, ID_TB_TAGS, ID_TB_COLORS,
                   ID_TB_FILENAME}) {
        EXPECT_EQ(form.ToolBar1.IsEnabled(id), enabled) << "button " << id;
    }
    EXPECT_EQ(form.ColorMemo1->PopupEnabled(), enabled);
    // These never follow the document commands.
    EXPECT_TRUE(MenuItemEnabled(form.MainMenu1, ID_FILE_NEW));
    EXPECT_TRUE(MenuItemEnabled(form.MainMenu1, ID_FILE_EXIT));
    EXPECT_TRUE(form.ToolBar1.IsEnabled(ID_TB_COMMENT));
    EXPECT_TRUE(form.ToolBar1.IsEnabled(ID_FILE_EXIT));
}

TEST_F(MainFormTest, WithoutArgumentStartsWithOneUntitledDocument) {
    qm::TForm1& form = Start();
    EXPECT_EQ(TabNames(), "Untitled");
    EXPECT_EQ(form.FileNameList, std::vector<std::string>{"Untitled"});
    EXPECT_EQ(form.CurrentIndex(), 0);
    EXPECT_TRUE(form.CurrentEditor().Visible());
    EXPECT_EQ(form.CurrentEditor().Text(), L"");
    EXPECT_FALSE(form.CurrentEditor().Modified());
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    ExpectDocumentCommands(form, true);
    // 100 ms later the status bar shows the path and the printer.
    PumpFor(400);
    EXPECT_EQ(form.StatusBar1.PanelText(1), "Untitled");
    EXPECT_FALSE(form.StatusBar1.PanelText(0).empty());
}

// With TempStart off nothing is open: no tab, the grey prototype shows,
// the document commands are off and the status bar stays empty, as no
// document change, save or printer choice has started its refresh.
TEST_F(MainFormTest, WithTempStartOffNothingIsOpenAndTheStatusBarStaysEmpty) {
    WriteBytes(dir.File("quillmere.ini"), "[Memo]\r\ntempstart=0\r\n");
    qm::TForm1& form = Start();
    EXPECT_FALSE(form.TempStart);
    EXPECT_EQ(TabCount(), 0);
    EXPECT_EQ(form.CurrentIndex(), -1);
    EXPECT_TRUE(form.EditorList.empty());
    EXPECT_TRUE(form.FileNameList.empty());
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETITEMCOUNT, 0, 0), 0) << "the placeholder tab is gone";
    ExpectDocumentCommands(form, false);
    EXPECT_TRUE(IsWindowVisible(form.ColorMemo1->Handle()));
    EXPECT_EQ(form.ColorMemo1->Text(), L"No file is opened");
    PumpFor(400);
    for (int panel : {0, 1}) {
        char text[256] = "?";
        SendMessageA(form.StatusBar1.Handle(), SB_GETTEXTA, static_cast<WPARAM>(panel), reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, "") << "panel " << panel;
    }
    EXPECT_TRUE(dialogs.Requests().empty());
    // New opens the first document and switches the commands on.
    Command(ID_FILE_NEW);
    EXPECT_EQ(TabNames(), "Untitled");
    ExpectDocumentCommands(form, true);
    PumpFor(400);
    EXPECT_EQ(form.StatusBar1.PanelText(1), "Untitled");
}

TEST_F(MainFormTest, AnExistingFileArgumentIsTheOnlyTab) {
    WriteBytes(dir.File("index.htm"), "<P>hi</P>\r\n");
    qm::TForm1& form = Start("index.htm");  // no backslash: taken from ConfigDir
    EXPECT_EQ(TabNames(), "index.htm");
    EXPECT_EQ(form.FileNameList, std::vector<std::string>{dir.File("index.htm")});
    EXPECT_EQ(form.CurrentEditor().Text(), L"<P>hi</P>\r\n");
}

TEST_F(MainFormTest, AnArgumentWithABackslashIsUsedUnchanged) {
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    WriteBytes(dir.File("sub\\a.htm"), "x");
    qm::TForm1& form = Start("sub\\a.htm");
    EXPECT_EQ(form.FileNameList, std::vector<std::string>{"sub\\a.htm"});
    EXPECT_EQ(TabNames(), "a.htm");
}

TEST_F(MainFormTest, AnArgumentNamingNoFileIsIgnoredSilently) {
    qm::TForm1& form = Start("missing.htm");
    EXPECT_EQ(TabNames(), "Untitled");
    EXPECT_TRUE(dialogs.Requests().empty());
    EXPECT_EQ(form.ConfigDir, dir.Path());
    EXPECT_EQ(form.IniFile->FileName(), dir.Path() + "/quillmere.ini");
}

TEST_F(MainFormTest, ADriveRootAsWorkingFolderGivesTheDriveAsConfigDir) {
    SetCurrentDirectoryA("C:\\");
    qm::TForm1& form = Start();
    EXPECT_EQ(form.ConfigDir, "C:");
    EXPECT_EQ(form.IniFile->FileName(), "C:/quillmere.ini");
}

TEST_F(MainFormTest, ClosingTheLastDocumentDisablesTheDocumentCommands) {
    qm::TForm1& form = Start();
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(TabCount(), 0);
    EXPECT_EQ(form.CurrentIndex(), -1);
    EXPECT_TRUE(form.EditorList.empty());
    ExpectDocumentCommands(form, false);
    EXPECT_TRUE(IsWindowVisible(form.ColorMemo1->Handle()));
    PumpFor(400);
    EXPECT_EQ(form.StatusBar1.PanelText(1), "No file is opened");
    // New enables them again.
    Command(ID_FILE_NEW);
    ExpectDocumentCommands(form, true);
}

TEST_F(MainFormTest, TheWindowKeepsItsMinimumSizeAndTheEditorsTheirPlace) {
    qm::TForm1& form = Start();
    Command(ID_FILE_NEW);
    SetWindowPos(form.Handle(), nullptr, 0, 0, 100, 90, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT outer;
    GetWindowRect(form.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 250);
    EXPECT_EQ(outer.bottom - outer.top, 200);

    SetWindowPos(form.Handle(), nullptr, 0, 0, 600, 450, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    RECT client;
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(form.Bevel1.right - form.Bevel1.left, client.right - 2);
    EXPECT_EQ(form.Bevel1.bottom - form.Bevel1.top, client.bottom - 75);
    const qm::TColorMemo& prototype = *form.ColorMemo1;
    EXPECT_EQ(prototype.Left(), 8);
    EXPECT_EQ(prototype.Top(), 56);
    EXPECT_EQ(prototype.Width(), client.right - 2 - 13);
    EXPECT_EQ(prototype.Height(), client.bottom - 75 - 13);
    ASSERT_EQ(form.EditorList.size(), 2u);
    for (qm::TColorMemo* editor : form.EditorList) {
        RECT r;
        GetWindowRect(editor->Handle(), &r);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, 8);
        EXPECT_EQ(r.top, 56);
        EXPECT_EQ(r.right - r.left, prototype.Width());
        EXPECT_EQ(r.bottom - r.top, prototype.Height());
    }
}

TEST_F(MainFormTest, NewDocumentEditorsCopyThePrototype) {
    qm::TForm1& form = Start();
    qm::TColorMemo& editor = form.CurrentEditor();
    EXPECT_EQ(editor.Color(), qm::clWhite);
    EXPECT_EQ(editor.Font().Color, qm::clBlack);
    EXPECT_EQ(editor.Font().Name, form.ColorMemo1->Font().Name);
    EXPECT_FALSE(editor.ReadOnly());
    EXPECT_FALSE(editor.WordWrap());
    EXPECT_EQ(editor.ScrollBars(), qm::TScrollStyle::ssBoth);
    EXPECT_TRUE(editor.RedrawAlways());
    EXPECT_EQ(editor.PopupMenu(), form.PopupMenu2);
    // Typing is not capped at 32,767 characters.
    const std::wstring big(40000, L'a');
    editor.SetText(big);
    SendMessageA(editor.Handle(), EM_SETSEL, 40000, 40000);
    Type("b");
    EXPECT_EQ(editor.TextLength(), 40001);
}

TEST_F(MainFormTest, AStartedTimerIsNotRestartedByAnotherStart) {
    qm::TTimer timer(100, false);
    int ticks = 0;
    timer.OnTimer = [&] {
        ++ticks;
        timer.SetEnabled(false);
    };
    timer.SetEnabled(true);
    // Starting it again every 20 ms would never let a restarted timer tick.
    for (int i = 0; i < 25 && ticks == 0; ++i) {
        timer.SetEnabled(true);
        PumpFor(20);
    }
    EXPECT_EQ(ticks, 1);
    EXPECT_FALSE(timer.Enabled());
}

}  // namespace
}  // namespace qmtest
