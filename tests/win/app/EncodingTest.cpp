// Save never replaces a character the document's encoding lacks: it asks
// whether to save as UTF-8, and only Yes writes. File > Encoding chooses.
#include <windows.h>
#include <commctrl.h>

#include "MainFormFixture.h"
#include "resources/resource.h"

namespace {

using qm::DialogAnswer;
using qmtest::MainFormTest;
using qmtest::ReadBytes;
using qmtest::WriteBytes;

TEST_F(MainFormTest, ACharacterAnsiLacksIsSavedOnlyAsUtf8AndOnlyAfterYes) {
    const std::string original = "caf\xE9\n";  // ANSI, LF
    WriteBytes(dir.File("old.htm"), original);
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("old.htm"));
    form.CurrentEditor().SetSelection(0, 0);
    SendMessageW(form.CurrentEditor().Handle(), WM_CHAR, 0x0101, 1);  // "ā"
    const std::string question = "old.htm holds characters that ANSI cannot store. Do you want to save it as UTF-8?";

    // No and Cancel: nothing written, the document stays modified and the
    // close, the exit and the browser preview around the save stop there.
    dialogs.ExpectConfirm(question, DialogAnswer::No);
    Command(ID_FILE_SAVE);
    dialogs.ExpectConfirm("Want to save changes?", DialogAnswer::Yes);
    dialogs.ExpectConfirm(question, DialogAnswer::Cancel);
    Command(ID_FILE_CLOSE);
    dialogs.ExpectConfirm("Want to save changes?", DialogAnswer::Yes);
    dialogs.ExpectConfirm(question, DialogAnswer::No);
    SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
    dialogs.ExpectConfirm("You have to save the file first! Want to do it now, and open it in your browser?",
                          DialogAnswer::Yes);
    dialogs.ExpectConfirm(question, DialogAnswer::Cancel);
    dialogs.ExpectMessage("The file wasn`t saved!");
    form.ToolButton20Click();
    EXPECT_EQ(ReadBytes(dir.File("old.htm")), original);
    EXPECT_TRUE(IsWindow(form.Handle()));
    EXPECT_EQ(TabCount(), 1);
    EXPECT_TRUE(form.CurrentEditor().Modified());

    // Yes: the whole text as UTF-8, the file's LF kept; UTF-8 from then on.
    dialogs.ExpectConfirm(question, DialogAnswer::Yes);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")), "\xC4\x81" "caf\xC3\xA9\n");
    EXPECT_FALSE(form.CurrentEditor().Modified());
    Command(ID_FILE_SAVE);
    form.Timer1Timer();
    EXPECT_EQ(form.StatusBar1.PanelText(2), "UTF-8 \xC2\xB7 LF");
    RECT panel{};
    SendMessageW(form.StatusBar1.Handle(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&panel));
    EXPECT_GE(panel.right - panel.left, 100) << "the panel shows";

    // Another encoding from the menu: checked, marked modified, saved so.
    Command(ID_ENCODING_UTF16BE);
    EXPECT_TRUE(form.CurrentEditor().Modified());
    EXPECT_EQ(form.StatusBar1.PanelText(2), "UTF-16 BE \xC2\xB7 LF");
    HMENU encodings = GetSubMenu(GetSubMenu(form.MainMenu1, 0), qm::kEncodingMenuPosition);
    SendMessageW(form.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(encodings), qm::kEncodingMenuPosition);
    EXPECT_EQ(GetMenuState(encodings, ID_ENCODING_UTF16BE, MF_BYCOMMAND) & MF_CHECKED, UINT{MF_CHECKED});
    EXPECT_EQ(GetMenuState(encodings, ID_ENCODING_UTF8, MF_BYCOMMAND) & MF_CHECKED, 0u);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")), std::string("\xFE\xFF\x01\x01\0c\0a\0f\0\xE9\0\n", 14));
    EXPECT_TRUE(dialogs.AllAnswered());
}

}  // namespace
