// Opening documents: the Open dialog, dropped files, the already-open test,
// the template, and tabs, editors and paths kept in step.
#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>

#include "MainFormFixture.h"
#include "resources/resource.h"
#include "ui/Errors.h"
#include "ui/WideText.h"

namespace qmtest {
namespace {

using qm::DialogAnswer;
using qm::DialogKind;

void ExpectInStep(qm::TForm1& form) {
    EXPECT_EQ(form.TN1.Tabs().Count(), static_cast<int>(form.EditorList.size()));
    EXPECT_EQ(form.EditorList.size(), form.FileNameList.size());
    int visible = 0;
    for (size_t i = 0; i < form.EditorList.size(); ++i) {
        if (IsWindowVisible(form.EditorList[i]->Handle())) {
            ++visible;
            EXPECT_EQ(static_cast<int>(i), form.CurrentIndex()) << "only the current editor shows";
        }
    }
    EXPECT_EQ(visible, form.CurrentIndex() >= 0 ? 1 : 0);
}

// A drop's file list as the shell hands it over (DragFinish frees it).
HDROP MakeDrop(const std::vector<std::string>& names) {
    size_t size = sizeof(DROPFILES) + 1;
    for (const auto& n : names) size += n.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, size);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = FALSE;
    char* p = reinterpret_cast<char*>(drop) + sizeof(DROPFILES);
    for (const auto& n : names) {
        memcpy(p, n.c_str(), n.size() + 1);
        p += n.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(MainFormTest, OpenThroughTheDialogAddsATabNamedAfterTheFile) {
    WriteBytes(dir.File("page.htm"), "a\nb\rc\r\nd");
    qm::TForm1& form = Start();
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, dir.File("page.htm"));
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TabNames(), "Untitled|page.htm");
    EXPECT_EQ(form.CurrentIndex(), 1);
    EXPECT_EQ(form.CurrentEditor().Text(), L"a\r\nb\r\nc\r\nd");
    EXPECT_FALSE(form.CurrentEditor().Modified());
    ExpectInStep(form);
    ASSERT_FALSE(dialogs.Requests().empty());
    EXPECT_EQ(dialogs.Requests()[0].filter,
              "Html-files (*.htm)|*.htm|Html-files (*.html)|*.html|All files (*.*)|*.*");
    // A cancelled dialog changes nothing.
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Cancel);
    Command(ID_FILE_OPEN);
    EXPECT_EQ(TabCount(), 2);
}

TEST_F(MainFormTest, AnOpenPathIsSelectedAgainOnlyWhenSpelledExactlyTheSame) {
    WriteBytes(dir.File("a.htm"), "A");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("a.htm"));
    form.TN1.Tabs().SetTabIndex(0);
    dialogs.ExpectMessage("File is already opened!");
    form.OpenFile(dir.File("a.htm"));
    EXPECT_EQ(form.CurrentIndex(), 1);
    EXPECT_EQ(TabCount(), 2);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].caption, "Quillmere");
    // Another letter case is another path: a second tab.
    std::string upper = dir.File("A.HTM");
    form.OpenFile(upper);
    EXPECT_EQ(TabNames(), "Untitled|a.htm|A.HTM");
    ExpectInStep(form);
}

TEST_F(MainFormTest, ADropOfThreeFilesWithTheSecondOpenOpensTheOthers) {
    for (const char* n : {"one.htm", "two.htm", "three.htm"}) WriteBytes(dir.File(n), n);
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("two.htm"));
    dialogs.ExpectMessage("File is already opened!");
    SendMessageA(form.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({dir.File("one.htm"), dir.File("two.htm"), dir.File("three.htm")})),
                 0);
    EXPECT_EQ(TabNames(), "Untitled|two.htm|one.htm|three.htm");
    EXPECT_EQ(form.CurrentEditor().Text(), L"three.htm");
    ExpectInStep(form);
}

// A dropped name that cannot be opened ends the drop: the names before it
// are open, the error names it, the ones after it are not opened.
TEST_F(MainFormTest, ADropOfThreeFilesWhoseSecondCannotBeOpenedStopsThere) {
    WriteBytes(dir.File("one.htm"), "one");
    WriteBytes(dir.File("two.htm"), std::string("t\0o", 3));
    WriteBytes(dir.File("three.htm"), "three");
    qm::TForm1& form = Start();
    for (const char* second : {"two.htm", "missing.htm"}) {
        // The second time one.htm is open already: its message comes first.
        if (form.FileNameList.size() > 1) dialogs.ExpectMessage("File is already opened!");
        dialogs.ExpectError();
        SendMessageA(form.Handle(), WM_DROPFILES,
                     reinterpret_cast<WPARAM>(MakeDrop({dir.File("one.htm"), dir.File(second), dir.File("three.htm")})),
                     0);
        EXPECT_TRUE(dialogs.AllAnswered()) << second;
        ASSERT_FALSE(dialogs.Requests().empty());
        EXPECT_NE(dialogs.Requests().back().text.find(dir.File(second)), std::string::npos)
            << dialogs.Requests().back().text;
        EXPECT_EQ(TabNames(), "Untitled|one.htm") << second;
        EXPECT_EQ(form.CurrentEditor().Text(), L"one");
        ExpectInStep(form);
    }
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                      static_cast<int>(wide.size()));
    wide.resize(static_cast<size_t>(n));
    return wide;
}

TEST_F(MainFormTest, DroppedNamesAreReadWhole) {
    // A path well beyond 255 characters (made with the wide functions,
    // which take the long form).
    std::string folder = dir.Path();
    while (folder.size() < 300) {
        folder += "\\" + std::string(40, 'd');
        ASSERT_TRUE(CreateDirectoryW(Wide("\\\\?\\" + folder).c_str(), nullptr));
    }
    const std::string name = folder + "\\long.htm";
    HANDLE file = CreateFileW(Wide("\\\\?\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "long", 4, &written, nullptr);
    CloseHandle(file);

    qm::TForm1& form = Start();
    SendMessageA(form.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({name})), 0);
    EXPECT_EQ(TabNames(), "Untitled|long.htm");
    EXPECT_EQ(form.FileNameList.back(), name);
    EXPECT_EQ(form.CurrentEditor().Text(), L"long");
    // Saving it works too.
    Type("!");
    Command(ID_FILE_SAVE);
    EXPECT_FALSE(form.CurrentEditor().Modified());
}

TEST_F(MainFormTest, FilesTheEditorCannotHoldAreRefusedWithoutATab) {
    WriteBytes(dir.File("zero.htm"), std::string("ab\0cd", 5));
    CreateDirectoryA(dir.File("folder.htm").c_str(), nullptr);
    qm::TForm1& form = Start();
    for (const char* name : {"zero.htm", "folder.htm", "missing.htm"}) {
        dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, dir.File(name));
        dialogs.ExpectError();
        Command(ID_FILE_OPEN);
        ASSERT_FALSE(dialogs.Requests().empty());
        EXPECT_NE(dialogs.Requests().back().text.find(dir.File(name)), std::string::npos)
            << "the message names the file: " << dialogs.Requests().back().text;
        EXPECT_EQ(TabNames(), "Untitled") << name;
        ExpectInStep(form);
    }
    EXPECT_NE(dialogs.Requests()[1].text.find("NUL"), std::string::npos) << dialogs.Requests()[1].text;
}

TEST_F(MainFormTest, ANewDocumentStartsFromTheTemplateWithTwoEmptyLines) {
    WriteBytes(dir.File("temp.htm"), "<HTML>\n</HTML>");
    qm::TForm1& form = Start();
    EXPECT_EQ(form.CurrentEditor().Text(), L"<HTML>\r\n</HTML>\r\n\r\n\r\n");
    EXPECT_EQ(form.CurrentEditor().SelStart(), 0);
    EXPECT_FALSE(form.CurrentEditor().Modified());
    Command(ID_FILE_NEW);
    EXPECT_EQ(form.CurrentEditor().Text(), L"<HTML>\r\n</HTML>\r\n\r\n\r\n");
    // Opened files never use it.
    WriteBytes(dir.File("b.htm"), "B");
    form.OpenFile(dir.File("b.htm"));
    EXPECT_EQ(form.CurrentEditor().Text(), L"B");
    ExpectInStep(form);
}

TEST_F(MainFormTest, AnUnreadableTemplateLeavesNoHalfMadeDocument) {
    WriteBytes(dir.File("temp.htm"), std::string("x\0y", 3));
    dialogs.ExpectError();
    Start();  // the error of the start-up document reaches the error box
    EXPECT_EQ(TabCount(), 0);
    ExpectInStep(Form());
}

// An editor window that cannot be made: the document's tab goes again, at
// its own index, and the three lists stay in step.
void FailEditorCreation(qm::TForm1& form, int* calls = nullptr, int failingCall = 1) {
    form.EditorCreationTestHook = [calls, failingCall] {
        const int call = calls ? ++*calls : 1;
        if (call == failingCall) throw qm::Error("Cannot create the window QuillmereColorMemo");
    };
}

TEST_F(MainFormTest, AnEditorThatCannotBeMadeAtStartUpLeavesNoTab) {
    qm::TForm1& form = Make();
    FailEditorCreation(form);
    dialogs.ExpectError();
    Show();
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(TabCount(), 0) << TabNames();
    EXPECT_EQ(form.CurrentIndex(), -1);
    ExpectInStep(form);
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(GetMenuState(form.MainMenu1, ID_FILE_SAVE, MF_BYCOMMAND) & MF_GRAYED, static_cast<UINT>(MF_GRAYED));
    // The program goes on: the next New works.
    form.EditorCreationTestHook = nullptr;
    Command(ID_FILE_NEW);
    EXPECT_EQ(TabNames(), "Untitled");
    ExpectInStep(form);
}

TEST_F(MainFormTest, AnEditorThatCannotBeMadeLaterKeepsTheOtherDocuments) {
    WriteBytes(dir.File("a.htm"), "A");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("a.htm"));
    form.TN1.Tabs().SetTabIndex(0);
    FailEditorCreation(form);
    dialogs.ExpectError();
    Command(ID_FILE_NEW);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(TabNames(), "Untitled|a.htm");
    EXPECT_EQ(form.FileNameList, (std::vector<std::string>{"Untitled", dir.File("a.htm")}));
    EXPECT_EQ(form.CurrentIndex(), 0);
    ExpectInStep(form);

    // Opening: the second of three dropped files fails; the first stays,
    // the third is not opened (the error ends the drop).
    WriteBytes(dir.File("b.htm"), "B");
    WriteBytes(dir.File("c.htm"), "C");
    WriteBytes(dir.File("d.htm"), "D");
    int calls = 0;
    FailEditorCreation(form, &calls, 2);
    dialogs.ExpectError();
    SendMessageA(form.Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(MakeDrop({dir.File("b.htm"), dir.File("c.htm"), dir.File("d.htm")})), 0);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(TabNames(), "Untitled|a.htm|b.htm");
    EXPECT_EQ(form.FileNameList.back(), dir.File("b.htm"));
    EXPECT_EQ(form.CurrentEditor().Text(), L"B");
    ExpectInStep(form);
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETITEMCOUNT, 0, 0), 3);
}

TEST_F(MainFormTest, SwitchingTabsShowsOneEditorAndClosingSelectsTheRightNeighbour) {
    qm::TForm1& form = Start();
    Command(ID_FILE_NEW);
    Command(ID_FILE_NEW);
    for (int i = 0; i < 3; ++i) form.EditorList[static_cast<size_t>(i)]->SetText(std::to_wstring(i));
    form.TN1.Tabs().SetTabIndex(1);
    ExpectInStep(form);
    EXPECT_EQ(GetFocus(), form.EditorList[1]->Handle());
    Command(ID_FILE_CLOSE);  // the tab to its right becomes current
    EXPECT_EQ(form.CurrentIndex(), 1);
    EXPECT_EQ(form.CurrentEditor().Text(), L"2");
    Command(ID_FILE_CLOSE);  // the last: the new last becomes current
    EXPECT_EQ(form.CurrentIndex(), 0);
    EXPECT_EQ(form.CurrentEditor().Text(), L"0");
    ExpectInStep(form);
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageA(form.TN1.Handle(), TCM_GETCURSEL, 0, 0), 0);
}

}  // namespace
}  // namespace qmtest
