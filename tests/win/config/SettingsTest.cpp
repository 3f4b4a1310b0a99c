// LoadSettings: what the configuration file in the working folder changes at
// start-up and when the settings are applied to open documents.
#include <windows.h>

#include "ConfigFixture.h"
#include "config/IniValues.h"
#include "resources/resource.h"

namespace qmtest {
namespace {

bool MenuItemEnabled(HMENU menu, UINT id) {
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

void ExpectProgramCommands(qm::TForm1& form, bool ftp, bool browser) {
    EXPECT_EQ(form.ToolBar1.IsEnabled(ID_TB_FTP), ftp);
    EXPECT_EQ(MenuItemEnabled(form.MainMenu1, ID_RUN_FTP), ftp);
    EXPECT_EQ(form.ToolBar1.IsEnabled(ID_TB_BROWSER), browser);
    EXPECT_EQ(MenuItemEnabled(form.MainMenu1, ID_RUN_BROWSER), browser);
}

using SettingsTest = ConfigTest;

TEST_F(SettingsTest, WithoutAFileTheDefaultsApplyAndNothingIsWritten) {
    qm::TForm1& form = Start();
    const qm::TDrawRules& rules = form.ColorMemo1->ColorRules();
    EXPECT_EQ(rules.Items(0).DefKeyColor, 128u);
    EXPECT_EQ(rules.Items(1).DefKeyColor, 8421504u);
    EXPECT_EQ(rules.Items(2).DefKeyColor, 8421504u);  // not the design's olive
    EXPECT_EQ(form.ColorMemo1->Font().Name, "MS Sans Serif");
    EXPECT_EQ(qm::FontSize(form.ColorMemo1->Font()), 8);
    EXPECT_EQ(form.ColorMemo1->Font().Height, -11);
    EXPECT_TRUE(form.TempStart);
    EXPECT_TRUE(form.UseTemp);
    ExpectProgramCommands(form, false, false);
    // The first document copies the prototype's rules and font, in black.
    ASSERT_EQ(form.EditorList.size(), 1u);
    const qm::TColorMemo& editor = *form.EditorList[0];
    EXPECT_EQ(editor.ColorRules().Items(0).DefKeyColor, 128u);
    EXPECT_EQ(editor.ColorRules().Items(2).DefKeyColor, 8421504u);
    EXPECT_EQ(editor.Font().Name, "MS Sans Serif");
    EXPECT_EQ(editor.Font().Height, -11);
    EXPECT_EQ(editor.Font().Color, qm::clBlack);
    EXPECT_EQ(CountEntries(dir.Path()), 0);
}

TEST_F(SettingsTest, TheFileInTheWorkingFolderColoursTheEditors) {
    WriteBytes(IniPath(), "[memo]\r\nTAGCOLOR=$FF\r\nfilecolor=16711680\r\ncomcolor=32768\r\nfont=Tahoma\r\nsize=12\r\n");
    WriteBytes(dir.File("page.htm"), "<b>bold</b> \"quoted\" <!--note--> plain\r\n");
    qm::TForm1& form = Start("page.htm");
    ASSERT_EQ(form.TN1.Tabs().Count(), 1);
    qm::TColorMemo& editor = form.CurrentEditor();
    EXPECT_EQ(editor.Font().Name, "Tahoma");
    EXPECT_EQ(qm::FontSize(editor.Font()), 12);
    Settle(editor.Handle());
    EXPECT_GT(ColourOver(editor, "<b>", qm::clRed), 0);
    EXPECT_EQ(ColourOver(editor, "<b>", qm::clMaroon), 0);
    EXPECT_GT(ColourOver(editor, "\"quoted\"", qm::clBlue), 0);
    EXPECT_GT(ColourOver(editor, "<!--note-->", qm::clGreen), 0);
    EXPECT_EQ(ColourOver(editor, "plain", qm::clRed), 0);
}

TEST_F(SettingsTest, TheDefaultTagColourIsMaroonOnTheScreen) {
    WriteBytes(dir.File("page.htm"), "<b>bold</b> plain\r\n");
    qm::TForm1& form = Start("page.htm");
    qm::TColorMemo& editor = form.CurrentEditor();
    Settle(editor.Handle());
    EXPECT_GT(ColourOver(editor, "<b>", qm::clMaroon), 0);
    EXPECT_EQ(ColourOver(editor, "<b>", qm::clRed), 0);
}

TEST_F(SettingsTest, TempStartOffMeansNoUntitledDocument) {
    WriteBytes(IniPath(), "[Memo]\r\ntempstart=0\r\n");
    qm::TForm1& form = Start();
    EXPECT_FALSE(form.TempStart);
    EXPECT_EQ(form.TN1.Tabs().Count(), 0);
    EXPECT_TRUE(form.EditorList.empty());
}

TEST_F(SettingsTest, UseTempDecidesWhetherNewDocumentsStartFromTheTemplate) {
    WriteBytes(TemplatePath(), "<html>\n<body>");
    WriteBytes(IniPath(), "[Memo]\r\nusetemp=0\r\n");
    qm::TForm1& form = Start();
    EXPECT_FALSE(form.UseTemp);
    EXPECT_EQ(form.CurrentEditor().Text(), L"");
    Command(ID_FILE_NEW);
    EXPECT_EQ(form.CurrentEditor().Text(), L"");

    WriteBytes(IniPath(), "[Memo]\r\nusetemp=2\r\n");
    form.LoadSettings(false);
    EXPECT_TRUE(form.UseTemp);
    Command(ID_FILE_NEW);
    EXPECT_EQ(form.CurrentEditor().Text(), L"<html>\r\n<body>\r\n\r\n\r\n");
    EXPECT_EQ(form.CurrentEditor().SelStart(), 0);
    EXPECT_FALSE(form.CurrentEditor().Modified());
}

TEST_F(SettingsTest, ProgramCommandsNeedAnExistingProgramFile) {
    CreateDirectoryA(dir.File("folder.exe").c_str(), nullptr);
    WriteBytes(dir.File("ftp.exe"), "MZ");
    WriteBytes(IniPath(), "[Apps]\r\nFtp=" + dir.File("folder.exe") + "\r\nbrow=" + dir.File("ftp.exe") + "\r\n");
    qm::TForm1& form = Start();
    ExpectProgramCommands(form, false, true);

    WriteBytes(IniPath(), "[Apps]\r\nFtp=" + dir.File("ftp.exe") + "\r\nbrow=" + dir.File("missing.exe") + "\r\n");
    form.LoadSettings(false);
    ExpectProgramCommands(form, true, false);
    WriteBytes(IniPath(), "[Apps]\r\nFtp=\r\nbrow=\r\n");
    form.LoadSettings(false);
    ExpectProgramCommands(form, false, false);
}

TEST_F(SettingsTest, AnEmptyFontKeyGivesAnEmptyFaceAMissingOneTheDefault) {
    WriteBytes(IniPath(), "[Memo]\r\nfont=\r\n");
    qm::TForm1& form = Start();
    EXPECT_EQ(form.ColorMemo1->Font().Name, "");
    EXPECT_EQ(form.CurrentEditor().Font().Name, "");
    WriteBytes(IniPath(), "[Memo]\r\n");
    form.LoadSettings(true);
    EXPECT_EQ(form.CurrentEditor().Font().Name, "MS Sans Serif");
}

TEST_F(SettingsTest, AppliedToOpenDocumentsEveryEditorTakesFontAndColours) {
    WriteBytes(dir.File("a.htm"), "<a>first</a> x\r\n");
    WriteBytes(dir.File("b.htm"), "<b>second</b> x\r\n");
    qm::TForm1& form = Start("a.htm");
    form.OpenFile(dir.File("b.htm"));
    ASSERT_EQ(form.EditorList.size(), 2u);
    for (qm::TColorMemo* editor : form.EditorList) Settle(editor->Handle());

    WriteBytes(IniPath(), "[Memo]\r\ntagcolor=255\r\nfont=Tahoma\r\nsize=12\r\n");
    form.LoadSettings(false);
    // Only the prototype took them.
    EXPECT_EQ(form.EditorList[0]->Font().Name, "MS Sans Serif");
    EXPECT_EQ(form.EditorList[0]->ColorRules().Items(0).DefKeyColor, 128u);
    // The hidden document as half of all paints leave it: its next paint
    // would not prepare the rules.
    form.EditorList[0]->ColorRules().PrepareNeeded = false;
    form.LoadSettings(true);
    for (qm::TColorMemo* editor : form.EditorList) {
        EXPECT_EQ(editor->Font().Name, "Tahoma");
        EXPECT_EQ(qm::FontSize(editor->Font()), 12);
        EXPECT_EQ(editor->Font().Color, qm::clBlack);
        EXPECT_EQ(editor->ColorRules().Items(0).DefKeyColor, 255u);
    }
    // The shown document and a hidden one shown afterwards paint the new colour.
    qm::TColorMemo& b = form.CurrentEditor();
    Settle(b.Handle());
    EXPECT_GT(ColourOver(b, "<b>", qm::clRed), 0);
    EXPECT_EQ(ColourOver(b, "<b>", qm::clMaroon), 0);
    form.TN1.Tabs().SetTabIndex(0);
    qm::TColorMemo& a = form.CurrentEditor();
    ASSERT_EQ(a.Text().substr(0, 3), L"<a>");
    Settle(a.Handle());
    EXPECT_GT(ColourOver(a, "<a>", qm::clRed), 0);
    EXPECT_EQ(ColourOver(a, "<a>", qm::clMaroon), 0);
    // A document opened later copies the prototype.
    WriteBytes(dir.File("c.htm"), "<c>\r\n");
    form.OpenFile(dir.File("c.htm"));
    EXPECT_EQ(form.CurrentEditor().Font().Name, "Tahoma");
    EXPECT_EQ(qm::FontSize(form.CurrentEditor().Font()), 12);
    EXPECT_EQ(form.CurrentEditor().ColorRules().Items(0).DefKeyColor, 255u);
}

}  // namespace
}  // namespace qmtest
