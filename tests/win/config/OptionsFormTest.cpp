// The options dialog in the test's own process: filling at activation,
// Close with what it writes and applies, the colour and font buttons with
// the sample's pixels, the title-bar button, refused writes.
#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "ConfigFixture.h"
#include "resources/resource.h"
#include "ui/WideText.h"

namespace qmtest {
namespace {

using qm::DialogAnswer;
using qm::DialogKind;
using qm::DialogResponse;
using qm::WindowText;

const char kFirstIni[] =
    "[Memo]\r\n"
    "tagcolor=128\r\n"
    "filecolor=8421504\r\n"
    "comcolor=8421504\r\n"
    "usetemp=1\r\n"
    "tempstart=1\r\n"
    "font=MS Sans Serif\r\n"
    "size=8\r\n"
    "[Apps]\r\n"
    "Ftp=\r\n"
    "brow=\r\n";

bool MenuItemEnabled(HMENU menu, UINT id) {
    return !(GetMenuState(menu, id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED));
}

DialogResponse ColorAnswer(qm::TColor color) {
    DialogResponse response;
    response.answer = DialogAnswer::Ok;
    response.color = color;
    return response;
}

class OptionsTest : public ConfigTest {
protected:
    // The file lines without the blank lines the writer may put between
    // sections.
    static std::string WithoutBlankLines(std::string bytes) {
        for (size_t at; (at = bytes.find("\r\n\r\n")) != std::string::npos;) bytes.erase(at, 2);
        return bytes;
    }
    std::string CouldNotFind() const { return "Couldn`t find: " + TemplatePath(); }
    std::string WillMakeIt() const {
        return "Since the " + TemplatePath() + " is missing, Quillmere will make it for you :)";
    }
    // Options, as the menu sends it; the dialog fills itself once shown.
    void OpenOptions() {
        Command(ID_OPTIONS);
        PumpMessages();
        ASSERT_TRUE(Options().Visible());
    }
    void Click(int id) {
        SendMessageA(Options().Item(id), BM_CLICK, 0, 0);
        PumpMessages();
    }
    void ShowColorPage() {
        Options().SetPageIndex(qm::TForm3::ColorFontPage);
        Settle(Options().ColorMemo1().Handle());
    }
    int SampleColour(const std::string& part, qm::TColor color) {
        qm::TColorMemo& sample = Options().ColorMemo1();
        Settle(sample.Handle());
        return ColourOver(sample, part, color);
    }
    bool IsChecked(int id) { return SendMessageA(Options().Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

TEST_F(OptionsTest, FirstUseInAnEmptyFolder) {
    Start();
    dialogs.ExpectMessage(CouldNotFind());
    OpenOptions();
    qm::TForm3& options = Options();
    EXPECT_EQ(qmtest::CountEntries(dir.Path()), 0);
    RECT outer;
    GetWindowRect(options.Handle(), &outer);
    EXPECT_EQ(outer.right - outer.left, 409);
    EXPECT_EQ(outer.bottom - outer.top, 309);
    EXPECT_EQ(WindowText(options.Handle()), "Options");
    EXPECT_EQ(options.PageIndex(), qm::TForm3::TemplatePage);
    EXPECT_TRUE(IsWindowVisible(options.Memo1()));
    EXPECT_FALSE(IsWindowVisible(options.ColorMemo1().Handle()));
    EXPECT_TRUE(IsChecked(IDC_OPT_USETEMP));
    EXPECT_TRUE(IsChecked(IDC_OPT_TEMPSTART));
    EXPECT_EQ(options.Edit1Text(), "");
    EXPECT_EQ(options.Edit2Text(), "");
    EXPECT_EQ(WindowText(options.Memo1()), "");
    EXPECT_EQ(options.ColorMemo1().Text(), qm::Widen(qm::kOptionsSampleText));
    ShowColorPage();
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    EXPECT_GT(SampleColour("\"my.gif\"", qm::clGray), 0);
    EXPECT_GT(SampleColour("<!--this is the HTML-tag-->", qm::clGray), 0);
    EXPECT_EQ(SampleColour("<!--this is the HTML-tag-->", qm::clMaroon), 0);
    EXPECT_GT(SampleColour("Ordinary text", qm::clBlack), 0);
    EXPECT_EQ(SampleColour("Ordinary text", qm::clMaroon), 0);

    dialogs.ExpectMessage(WillMakeIt());
    Click(IDC_OPT_CLOSE);
    EXPECT_FALSE(options.Visible());
    EXPECT_EQ(WithoutBlankLines(ReadBytes(IniPath())), kFirstIni);
    EXPECT_EQ(ReadBytes(TemplatePath()), "");
    EXPECT_EQ(CountEntries(dir.Path()), 2);
    EXPECT_TRUE(dialogs.AllAnswered());
}

// The labels on a page lie on the page's own background, not on bars of
// the dialog's colour (a themed page is not the dialog's colour).
TEST_F(OptionsTest, LabelsLieOnThePagesOwnBackground) {
    Start();
    dialogs.ExpectMessage(CouldNotFind());
    OpenOptions();
    const HWND tabs = Options().Item(IDC_OPT_TABS);
    const COLORREF dialogColour = GetSysColor(COLOR_BTNFACE);
    const std::pair<int, std::vector<int>> pages[] = {
        {qm::TForm3::TemplatePage, {IDC_OPT_USETEMP_LABEL, IDC_OPT_TEMPSTART_LABEL}},
        {qm::TForm3::AppsPage, {IDC_OPT_FTP_LABEL, IDC_OPT_BROWSER_LABEL}}};
    for (const auto& [page, labels] : pages) {
        Options().SetPageIndex(page);
        Settle(tabs);
        RECT inside{};
        GetClientRect(tabs, &inside);
        const COLORREF pageColour = Pixels(tabs).At(inside.right / 2, inside.bottom - 8);
        if (pageColour == dialogColour) GTEST_SKIP() << "the notebook's pages are not themed here";
        for (int id : labels) {
            const HWND label = Options().Item(id);
            Settle(label);
            const Pixels shown(label);
            const RECT all{0, 0, shown.Width(), shown.Height()};
            EXPECT_EQ(shown.Count(all, dialogColour), 0) << WindowText(label);
            EXPECT_GT(shown.Count(all, pageColour), shown.Width() * shown.Height() / 2) << WindowText(label);
        }
    }
}

TEST_F(OptionsTest, TheDialogShowsWhatTheFilesHold) {
    WriteBytes(IniPath(), "[Memo]\r\nusetemp=0\r\ntempstart=2\r\nfont=Tahoma\r\nsize=12\r\ncomcolor=255\r\n"
                          "[Apps]\r\nFtp=C:\\ftp.exe\r\nbrow=C:\\b.exe\r\n");
    WriteBytes(TemplatePath(), "<html>\n<body>\r</body>");
    Start();
    OpenOptions();
    qm::TForm3& options = Options();
    EXPECT_FALSE(IsChecked(IDC_OPT_USETEMP));
    EXPECT_TRUE(IsChecked(IDC_OPT_TEMPSTART));
    EXPECT_EQ(options.Edit1Text(), "C:\\ftp.exe");
    EXPECT_EQ(options.Edit2Text(), "C:\\b.exe");
    EXPECT_EQ(WindowText(options.Memo1()), "<html>\r\n<body>\r\n</body>");
    EXPECT_EQ(options.ColorMemo1().Font().Name, "Tahoma");
    EXPECT_EQ(qm::FontSize(options.ColorMemo1().Font()), 12);
    ShowColorPage();
    EXPECT_GT(SampleColour("<!--this is the HTML-tag-->", qm::clRed), 0);
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);

    // Close writes the template back, each line followed by CR LF.
    Click(IDC_OPT_CLOSE);
    EXPECT_FALSE(options.Visible());
    EXPECT_EQ(ReadBytes(TemplatePath()), "<html>\r\n<body>\r\n</body>\r\n");
    EXPECT_FALSE(Form().UseTemp);
}

TEST_F(OptionsTest, ACommentColourChangesOnlyTheCommentInTheSample) {
    WriteBytes(TemplatePath(), "");
    Start();
    OpenOptions();
    ShowColorPage();
    ASSERT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    ASSERT_EQ(SampleColour("<!--this is the HTML-tag-->", qm::clLime), 0);
    dialogs.Expect(DialogKind::ChooseColor, "", ColorAnswer(qm::clLime));
    Click(IDC_OPT_COMCOLOR);
    EXPECT_EQ(dialogs.Requests().back().color, qm::clBlack);  // black the first time
    EXPECT_GT(SampleColour("<!--this is the HTML-tag-->", qm::clLime), 0);
    EXPECT_EQ(SampleColour("<!--this is the HTML-tag-->", qm::clGray), 0);
    for (const char* part : {"<HEAD>", "<TITLE>", "\"my.gif\"", "Ordinary text"}) {
        EXPECT_EQ(SampleColour(part, qm::clLime), 0) << part;
    }
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    EXPECT_GT(SampleColour("\"my.gif\"", qm::clGray), 0);

    // The dialog opens with the colour last chosen in it, for any button;
    // Cancel leaves the colours.
    dialogs.Expect(DialogKind::ChooseColor, "", DialogAnswer::Cancel);
    const uint64_t paintsBefore = Options().ColorMemo1().Stats().Paints;
    Click(IDC_OPT_TAGCOLOR);
    EXPECT_EQ(dialogs.Requests().back().color, qm::clLime);
    EXPECT_EQ(Options().ColorMemo1().Stats().Paints, paintsBefore + 2);  // repainted twice all the same
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    dialogs.Expect(DialogKind::ChooseColor, "", ColorAnswer(qm::clBlue));
    Click(IDC_OPT_QUOTECOLOR);
    EXPECT_GT(SampleColour("\"my.gif\"", qm::clBlue), 0);
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    // Nothing is stored before Close.
    EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(OptionsTest, FocusComingToTheSampleLeavesItsColoursInSight) {
    WriteBytes(TemplatePath(), "");
    Start();
    OpenOptions();
    ShowColorPage();
    qm::TColorMemo& sample = Options().ColorMemo1();
    // As Tab does it: the dialog selects the whole text, the sample takes
    // the selection back.
    SendMessageA(Options().Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(sample.Handle()), TRUE);
    PumpMessages();
    ASSERT_EQ(GetFocus(), sample.Handle());
    EXPECT_EQ(sample.SelLength(), 0);
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    // A click into it keeps the caret where it was put.
    SetFocus(Options().Item(IDC_OPT_FONT));
    const RECT head = TextRect(sample, "HEAD");
    SendMessageA(sample.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(head.left + 1, head.top + 2));
    SendMessageA(sample.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(head.left + 1, head.top + 2));
    PumpMessages();
    EXPECT_EQ(GetFocus(), sample.Handle());
    EXPECT_EQ(sample.SelStart(), static_cast<int>(sample.Text().find(L"HEAD")));
}

TEST_F(OptionsTest, ComingBackFromTheMainWindowBringsTheStoredValuesBack) {
    WriteBytes(TemplatePath(), "stored\r\n");
    Start();
    OpenOptions();
    qm::TForm3& options = Options();
    ShowColorPage();
    dialogs.Expect(DialogKind::ChooseColor, "", ColorAnswer(qm::clRed));
    Click(IDC_OPT_TAGCOLOR);
    ASSERT_GT(SampleColour("<HEAD>", qm::clRed), 0);
    Click(IDC_OPT_USETEMP);  // shown or not, a click ticks it
    ASSERT_FALSE(IsChecked(IDC_OPT_USETEMP));
    SetWindowTextA(options.Memo1(), "typed");

    // One of the dialog's own windows coming and going changes nothing.
    HWND own = CreateWindowExA(0, "STATIC", "own box", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, options.Handle(),
                               nullptr, nullptr, nullptr);
    SetActiveWindow(own);
    PumpMessages();
    DestroyWindow(own);
    SetActiveWindow(options.Handle());
    PumpMessages();
    ASSERT_EQ(GetActiveWindow(), options.Handle());
    EXPECT_GT(SampleColour("<HEAD>", qm::clRed), 0);
    EXPECT_FALSE(IsChecked(IDC_OPT_USETEMP));
    EXPECT_EQ(WindowText(options.Memo1()), "typed");

    // Into the main window and back.
    SetActiveWindow(Form().Handle());
    PumpMessages();
    SetActiveWindow(options.Handle());
    PumpMessages();
    EXPECT_EQ(options.PageIndex(), qm::TForm3::ColorFontPage);  // the page stays
    EXPECT_GT(SampleColour("<HEAD>", qm::clMaroon), 0);
    EXPECT_EQ(SampleColour("<HEAD>", qm::clRed), 0);
    EXPECT_TRUE(IsChecked(IDC_OPT_USETEMP));
    EXPECT_EQ(WindowText(options.Memo1()), "stored\r\n");
}

TEST_F(OptionsTest, TheTitleBarButtonAndEscapeHideWithoutStoring) {
    WriteBytes(TemplatePath(), "old\r\n");
    Start();
    OpenOptions();
    qm::TForm3& options = Options();
    Click(IDC_OPT_TEMPSTART);
    SetWindowTextA(options.Memo1(), "changed");
    SendMessageA(options.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpMessages();
    EXPECT_FALSE(options.Visible());
    EXPECT_FALSE(FileExists(IniPath()));
    EXPECT_EQ(ReadBytes(TemplatePath()), "old\r\n");

    OpenOptions();
    EXPECT_TRUE(IsChecked(IDC_OPT_TEMPSTART));
    EXPECT_EQ(WindowText(options.Memo1()), "old\r\n");
    Click(IDC_OPT_TEMPSTART);
    SendMessageA(options.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);  // Escape
    PumpMessages();
    EXPECT_FALSE(options.Visible());
    EXPECT_FALSE(FileExists(IniPath()));
}

TEST_F(OptionsTest, ANewFontReachesEveryDocumentOpenAndOpenedLater) {
    WriteBytes(TemplatePath(), "");
    WriteBytes(dir.File("a.htm"), "<a>\r\n");
    Start("a.htm");
    Command(ID_FILE_NEW);
    OpenOptions();
    ShowColorPage();
    DialogResponse font;
    font.answer = DialogAnswer::Ok;
    font.fontName = "Tahoma";
    font.fontSize = 12;
    dialogs.Expect(DialogKind::Font, "", font);
    // Only face and size are taken from the choice.
    Options().FontDialog1.Font.Bold = true;
    Options().FontDialog1.Font.Color = qm::clRed;
    Click(IDC_OPT_FONT);
    EXPECT_FALSE(Options().ColorMemo1().Font().Bold);
    EXPECT_EQ(Options().ColorMemo1().Font().Color, qm::clWindowText);
    const qm::DialogRequest asked = dialogs.Requests().back();
    EXPECT_EQ(asked.fontName, "MS Sans Serif");  // the first time
    EXPECT_EQ(asked.fontSize, 8);
    EXPECT_EQ(Options().ColorMemo1().Font().Name, "Tahoma");
    EXPECT_EQ(qm::FontSize(Options().ColorMemo1().Font()), 12);
    // Not yet stored: the documents keep theirs.
    EXPECT_EQ(Form().EditorList[0]->Font().Name, "MS Sans Serif");

    Click(IDC_OPT_CLOSE);
    const std::string ini = ReadBytes(IniPath());
    EXPECT_NE(ini.find("font=Tahoma\r\n"), std::string::npos);
    EXPECT_NE(ini.find("size=12\r\n"), std::string::npos);
    ASSERT_EQ(Form().EditorList.size(), 2u);
    for (qm::TColorMemo* editor : Form().EditorList) {
        EXPECT_EQ(editor->Font().Name, "Tahoma");
        EXPECT_EQ(qm::FontSize(editor->Font()), 12);
    }
    WriteBytes(dir.File("b.htm"), "<b>\r\n");
    Form().OpenFile(dir.File("b.htm"));
    EXPECT_EQ(Form().CurrentEditor().Font().Name, "Tahoma");
    EXPECT_EQ(qm::FontSize(Form().CurrentEditor().Font()), 12);

    // The font dialog opens with the font last chosen in it.
    OpenOptions();
    dialogs.Expect(DialogKind::Font, "", DialogAnswer::Cancel);
    Click(IDC_OPT_FONT);
    EXPECT_EQ(dialogs.Requests().back().fontName, "Tahoma");
    EXPECT_EQ(dialogs.Requests().back().fontSize, 12);
}

TEST_F(OptionsTest, AChosenBrowserEnablesItsCommandsAtOnce) {
    WriteBytes(TemplatePath(), "");
    WriteBytes(dir.File("browser.exe"), "MZ");
    qm::TForm1& form = Start();
    ASSERT_FALSE(form.ToolBar1.IsEnabled(ID_TB_BROWSER));
    OpenOptions();
    Options().SetPageIndex(qm::TForm3::AppsPage);
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, dir.File("browser.exe"));
    Click(IDC_OPT_BROWSER_BROWSE);
    EXPECT_EQ(dialogs.Requests().back().filter, "");  // all files
    EXPECT_EQ(Options().Edit2Text(), dir.File("browser.exe"));
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Cancel);
    Click(IDC_OPT_FTP_BROWSE);
    EXPECT_EQ(Options().Edit1Text(), "");
    // The fields take no typing.
    EXPECT_TRUE(GetWindowLongPtrA(Options().Item(IDC_OPT_BROWSER), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(GetWindowLongPtrA(Options().Item(IDC_OPT_FTP), GWL_STYLE) & ES_READONLY);

    Click(IDC_OPT_CLOSE);
    EXPECT_TRUE(form.ToolBar1.IsEnabled(ID_TB_BROWSER));
    EXPECT_TRUE(MenuItemEnabled(form.MainMenu1, ID_RUN_BROWSER));
    EXPECT_FALSE(form.ToolBar1.IsEnabled(ID_TB_FTP));
    EXPECT_FALSE(MenuItemEnabled(form.MainMenu1, ID_RUN_FTP));
    EXPECT_NE(ReadBytes(IniPath()).find("brow=" + dir.File("browser.exe") + "\r\n"), std::string::npos);
}

class RefusedWriteTest : public OptionsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(RefusedWriteTest, StoresNoLaterKeyAppliesNothingAndStaysOpen) {
    const bool readOnlyFile = GetParam();
    const std::string old = "[Memo]\r\nsize=8\r\n";
    if (readOnlyFile) {
        WriteBytes(IniPath(), old);
        ASSERT_TRUE(SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_READONLY));
    } else {
        ASSERT_TRUE(CreateDirectoryA(IniPath().c_str(), nullptr));
    }
    qm::TForm1& form = Start();
    dialogs.ExpectMessage(CouldNotFind());
    OpenOptions();
    Click(IDC_OPT_TEMPSTART);  // would switch TempStart off
    ShowColorPage();
    dialogs.Expect(DialogKind::ChooseColor, "", ColorAnswer(qm::clRed));
    Click(IDC_OPT_TAGCOLOR);
    form.ColorMemo1->ColorRules().Items(0).DefKeyColor = qm::clAqua;  // LoadSettings would replace it

    dialogs.Expect(DialogKind::Error, "Unable to write to " + IniPath(), DialogAnswer::Ok);
    Click(IDC_OPT_CLOSE);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_TRUE(Options().Visible());
    EXPECT_FALSE(FileExists(TemplatePath()));
    EXPECT_EQ(form.ColorMemo1->ColorRules().Items(0).DefKeyColor, qm::clAqua);
    EXPECT_TRUE(form.TempStart);
    // What the user set stays in the dialog.
    EXPECT_FALSE(IsChecked(IDC_OPT_TEMPSTART));
    EXPECT_GT(SampleColour("<HEAD>", qm::clRed), 0);
    if (readOnlyFile) {
        SetFileAttributesA(IniPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadBytes(IniPath()), old);
    } else {
        EXPECT_EQ(CountEntries(IniPath()), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(ReadOnlyFileOrFolder, RefusedWriteTest, ::testing::Bool());

TEST_F(OptionsTest, AWriteRefusedMidwayLeavesTheOldFileByteForByte) {
    const std::string old = "; the user's own\r\n[Memo]\r\ntagcolor=255\r\nusetemp=1\r\n[Mine]\r\nx=1\r\n";
    WriteBytes(IniPath(), old);
    WriteBytes(TemplatePath(), "template\r\n");
    Start();
    OpenOptions();
    Click(IDC_OPT_USETEMP);
    SetWindowTextA(Options().Memo1(), "new template");
    // The browser is written after five other keys; ANSI has no letter for it.
    SetWindowTextW(Options().Item(IDC_OPT_BROWSER), L"C:\\\u30c4\\b.exe");
    dialogs.Expect(DialogKind::Error, "", DialogAnswer::Ok);
    Click(IDC_OPT_CLOSE);
    EXPECT_EQ(ReadBytes(IniPath()), old);
    EXPECT_EQ(ReadBytes(TemplatePath()), "template\r\n") << "nothing later is stored";
    EXPECT_EQ(CountEntries(dir.Path()), 2);
    EXPECT_TRUE(Options().Visible());
}

TEST_F(OptionsTest, ATemplateThatCannotBeWrittenIsReportedAndKept) {
    WriteBytes(TemplatePath(), "old template\r\n");
    Start();
    OpenOptions();
    SetWindowTextA(Options().Memo1(), "new template");
    Click(IDC_OPT_TEMPSTART);
    ASSERT_TRUE(SetFileAttributesA(TemplatePath().c_str(), FILE_ATTRIBUTE_READONLY));
    dialogs.Expect(DialogKind::Error, "", DialogAnswer::Ok);
    Click(IDC_OPT_CLOSE);
    ASSERT_FALSE(dialogs.Requests().empty());
    const std::string message = dialogs.Requests().back().text;
    EXPECT_EQ(message.substr(0, message.find('\n')), "Cannot create file " + TemplatePath());
    SetFileAttributesA(TemplatePath().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(TemplatePath()), "old template\r\n");
    // The settings are stored and applied already; the dialog stays open.
    EXPECT_NE(ReadBytes(IniPath()).find("tempstart=0"), std::string::npos);
    EXPECT_FALSE(Form().TempStart);
    EXPECT_TRUE(Options().Visible());
}

TEST_F(OptionsTest, ATemplateThatCannotBeReadIsReportedAfterTheOtherControls) {
    WriteBytes(TemplatePath(), std::string("a\0b", 3));
    WriteBytes(IniPath(), "[Memo]\r\ntempstart=0\r\n[Apps]\r\nFtp=C:\\ftp.exe\r\n");
    Start();
    dialogs.Expect(DialogKind::Error, "", DialogAnswer::Ok);
    OpenOptions();
    ASSERT_FALSE(dialogs.Requests().empty());
    const std::string message = dialogs.Requests().back().text;
    EXPECT_EQ(message.substr(0, message.find('\n')), "Cannot open file " + TemplatePath());
    EXPECT_EQ(Options().Edit1Text(), "C:\\ftp.exe");
    EXPECT_EQ(WindowText(Options().Memo1()), "");
}

}  // namespace
}  // namespace qmtest
