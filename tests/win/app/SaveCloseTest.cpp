// Save, Save As, Close, Close All and Exit, with every answer, and saves that
// fail without losing anything.
#include <cstdlib>

#include "MainFormFixture.h"
#include "app/DocumentFile.h"
#include "resources/resource.h"

namespace qmtest {
namespace {

using qm::DialogAnswer;
using qm::DialogKind;

constexpr char kWantToSave[] = "Want to save changes?";
constexpr char kOverwrite[] = "File already exist. Do you want to overwrite?";

TEST_F(MainFormTest, EveryByteButNulCrAndLfSurvivesOpenEditSave) {
    std::string bytes;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
    }
    const std::string body = bytes + "\r\n" + "lone cr\r" + "lone lf\n" + "last";
    WriteBytes(dir.File("bytes.htm"), body);
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("bytes.htm"));
    form.CurrentEditor().SetSelection(0, 0);
    Type("<");
    EXPECT_TRUE(form.CurrentEditor().Modified());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dir.File("bytes.htm")), "<" + bytes + "\r\nlone cr\r\nlone lf\r\nlast");
    EXPECT_FALSE(form.CurrentEditor().Modified());
}

TEST_F(MainFormTest, SaveOfANewDocumentAsksForANameEvenWhenAFileNamedUntitledExists) {
    WriteBytes(dir.File("Untitled"), "keep me");
    qm::TForm1& form = Start();
    Type("new text");
    dialogs.ExpectSaveDialog(dir.File("page"), 2);  // the second type: .html
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dir.File("Untitled")), "keep me");
    EXPECT_EQ(ReadBytes(dir.File("page.html")), "new text");
    EXPECT_EQ(form.FileNameList[0], dir.File("page.html"));
    EXPECT_EQ(TabNames(), "page.html");
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].filter, "HTML-files (*.htm)|*.htm|HTML-files (*.html)|*.html");
    EXPECT_EQ(dialogs.Requests()[0].defaultExt, "htm");
    // A filed document is saved to its path without a question.
    Type("!");
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(dir.File("page.html")), "new text!");
    EXPECT_EQ(dialogs.Requests().size(), 1u);
}

TEST_F(MainFormTest, TheSaveDialogsDefaultExtensionFollowsTheFileType) {
    qm::TForm1& form = Start();
    form.SaveDialog1.FilterIndex = 2;
    form.SaveDialog1TypeChange();
    EXPECT_EQ(form.SaveDialog1.DefaultExt, "html");
    form.SaveDialog1.FilterIndex = 1;
    form.SaveDialog1TypeChange();
    EXPECT_EQ(form.SaveDialog1.DefaultExt, "htm");
}

TEST_F(MainFormTest, SaveAsOntoAnExistingFileAsksAndNoReopensTheDialog) {
    WriteBytes(dir.File("old.htm"), "old");
    qm::TForm1& form = Start();
    Type("doc");
    // Cancel: nothing is saved or changed.
    dialogs.ExpectSaveDialog(dir.File("old.htm"));
    dialogs.ExpectConfirm(kOverwrite, DialogAnswer::Cancel);
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")), "old");
    EXPECT_EQ(TabNames(), "Untitled");
    EXPECT_TRUE(form.CurrentEditor().Modified());
    // No: the dialog comes again, and another name is saved.
    dialogs.ExpectSaveDialog(dir.File("old.htm"));
    dialogs.ExpectConfirm(kOverwrite, DialogAnswer::No);
    dialogs.ExpectSaveDialog(dir.File("new.htm"));
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(ReadBytes(dir.File("old.htm")), "old");
    EXPECT_EQ(ReadBytes(dir.File("new.htm")), "doc");
    EXPECT_EQ(TabNames(), "new.htm");
    // Yes onto the document's own file.
    Type("2");
    dialogs.ExpectSaveDialog(dir.File("new.htm"));
    dialogs.ExpectConfirm(kOverwrite, DialogAnswer::Yes);
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(ReadBytes(dir.File("new.htm")), "doc2");
    EXPECT_FALSE(form.CurrentEditor().Modified());
    // A cancelled dialog ends it all.
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(form.FileNameList[0], dir.File("new.htm"));
}

TEST_F(MainFormTest, CloseOfUnmodifiedAndModifiedDocumentsWithEachAnswer) {
    WriteBytes(dir.File("filed.htm"), "filed");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("filed.htm"));
    Command(ID_FILE_CLOSE);  // unmodified: no question
    EXPECT_EQ(TabNames(), "Untitled");

    form.OpenFile(dir.File("filed.htm"));
    Type("x");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Cancel);
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(form.CloseCancelled);
    EXPECT_EQ(TabNames(), "Untitled|filed.htm");

    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::No);
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(ReadBytes(dir.File("filed.htm")), "filed");
    EXPECT_EQ(TabNames(), "Untitled");

    form.OpenFile(dir.File("filed.htm"));
    Type("y");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);  // filed: saved without a dialog
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(ReadBytes(dir.File("filed.htm")), "yfiled");
    EXPECT_EQ(TabNames(), "Untitled");

    Type("z");  // the new document
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog(dir.File("fresh.htm"));
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(ReadBytes(dir.File("fresh.htm")), "z");
    EXPECT_EQ(TabCount(), 0);
}

TEST_F(MainFormTest, CancellingTheSaveDialogOfAClosingNewDocumentCancelsTheClose) {
    qm::TForm1& form = Start();
    Type("precious");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_CLOSE);
    EXPECT_TRUE(form.CloseCancelled);
    EXPECT_EQ(TabNames(), "Untitled");
    EXPECT_EQ(form.CurrentEditor().Text(), L"precious");
}

TEST_F(MainFormTest, CloseAllStopsAtCancelAndKeepsTheRest) {
    WriteBytes(dir.File("a.htm"), "a");
    qm::TForm1& form = Start();  // Untitled, unmodified
    form.OpenFile(dir.File("a.htm"));
    Type("1");
    Command(ID_FILE_NEW);
    Type("2");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Cancel);  // a.htm
    Command(ID_FILE_CLOSEALL);
    EXPECT_EQ(TabNames(), "a.htm|Untitled");
    EXPECT_EQ(form.CurrentIndex(), 0);
    EXPECT_EQ(form.StatusBar1.PanelText(1), "No file is opened");
    ASSERT_EQ(dialogs.Requests().size(), 1u);

    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::No);
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::No);
    Command(ID_FILE_CLOSEALL);
    EXPECT_EQ(TabCount(), 0);
    EXPECT_EQ(ReadBytes(dir.File("a.htm")), "a");
}

TEST_F(MainFormTest, ExitKeepsTheWindowWhenTheUserCancelsAndNeverDropsAnUnnamedDocument) {
    qm::TForm1& form = Start();
    Type("keep");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Cancel);
    Command(ID_FILE_EXIT);
    ASSERT_TRUE(IsWindow(form.Handle()));
    EXPECT_FALSE(form.Closing);
    EXPECT_EQ(TabNames(), "Untitled");

    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_EXIT);
    ASSERT_TRUE(IsWindow(form.Handle()));
    EXPECT_EQ(form.CurrentEditor().Text(), L"keep");

    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::No);
    Command(ID_FILE_EXIT);
    EXPECT_FALSE(IsWindow(form.Handle()));
    EXPECT_TRUE(form.Closing);
    EXPECT_EQ(form.IniFile, nullptr);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// A failed save reports the error and changes nothing: the old file, the
// modified mark, the path entry and the tab name stay.
class FailedSaveTest : public MainFormTest {
protected:
    void ExpectNothingChanged(const std::string& path, const std::string& oldBytes, const std::string& tabNames) {
        EXPECT_EQ(ReadBytes(path), oldBytes);
        EXPECT_TRUE(Form().CurrentEditor().Modified());
        EXPECT_EQ(TabNames(), tabNames);
        EXPECT_EQ(CountEntries(dir.Path()), entries_) << "no temporary file is left";
    }
    void CountNow() { entries_ = CountEntries(dir.Path()); }

private:
    int entries_ = 0;
};

TEST_F(FailedSaveTest, AReadOnlyFileIsRefusedAndLeftAsItWas) {
    WriteBytes(dir.File("ro.htm"), "old");
    SetFileAttributesA(dir.File("ro.htm").c_str(), FILE_ATTRIBUTE_READONLY);
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("ro.htm"));
    Type("new");
    CountNow();
    dialogs.ExpectError();
    Command(ID_FILE_SAVE);
    ExpectNothingChanged(dir.File("ro.htm"), "old", "Untitled|ro.htm");
    EXPECT_TRUE(GetFileAttributesA(dir.File("ro.htm").c_str()) & FILE_ATTRIBUTE_READONLY);
    // Close -> Yes fails the same way and keeps the document open.
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectError();
    Command(ID_FILE_CLOSE);
    ExpectNothingChanged(dir.File("ro.htm"), "old", "Untitled|ro.htm");
    SetFileAttributesA(dir.File("ro.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(FailedSaveTest, AFullDiskLeavesTheOldFile) {
    WriteBytes(dir.File("full.htm"), "old");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("full.htm"));
    Type("new");
    CountNow();
    qm::DocumentFileTestHooks hooks;
    hooks.failWriteNumber = 1;
    qm::SetDocumentFileTestHooks(hooks);
    dialogs.ExpectError();
    Command(ID_FILE_SAVE);
    qm::SetDocumentFileTestHooks({});
    ExpectNothingChanged(dir.File("full.htm"), "old", "Untitled|full.htm");
    EXPECT_EQ(form.FileNameList[1], dir.File("full.htm"));
}

TEST_F(FailedSaveTest, AMissingFolderKeepsTheDocumentNewAndOpenDuringExit) {
    qm::TForm1& form = Start();
    Type("text");
    CountNow();
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog(dir.File("no such folder\\a.htm"));
    dialogs.ExpectError();
    Command(ID_FILE_EXIT);
    ASSERT_TRUE(IsWindow(form.Handle())) << "a failed save ends the exit";
    EXPECT_TRUE(form.CurrentEditor().Modified());
    EXPECT_EQ(form.FileNameList[0], "Untitled");
    EXPECT_EQ(TabNames(), "Untitled");
    EXPECT_EQ(CountEntries(dir.Path()), 0);
}

}  // namespace

// A save dialog never offers another document's name: saved a.htm as b.htm,
// a new document's Save must not come up with "b.htm", one Return away from
// overwriting it. Save As offers the document's own name.
TEST_F(MainFormTest, SaveDialogsOfferOnlyTheDocumentsOwnName) {
    WriteBytes(dir.File("a.htm"), "a");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("a.htm"));
    auto lastSaveDialogText = [&] {
        const std::vector<std::string> texts = dialogs.Texts(qm::DialogKind::SaveFile);
        return texts.empty() ? std::string("(none)") : texts.back();
    };
    dialogs.ExpectSaveDialog(dir.File("b.htm"));
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(lastSaveDialogText(), dir.File("a.htm"));
    ASSERT_EQ(ReadBytes(dir.File("b.htm")), "a");

    Command(ID_FILE_NEW);
    Type("new");
    dialogs.ExpectSaveDialog("");  // cancelled
    Command(ID_FILE_SAVE);
    EXPECT_EQ(lastSaveDialogText(), "");
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(lastSaveDialogText(), "");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_CLOSE);
    EXPECT_EQ(lastSaveDialogText(), "");
    EXPECT_EQ(ReadBytes(dir.File("b.htm")), "a");

    // Back on b.htm, Save As opens on b.htm itself.
    form.TN1.Tabs().SetTabIndex(form.TN1.Tabs().Count() - 2);
    dialogs.ExpectSaveDialog("");
    Command(ID_FILE_SAVEAS);
    EXPECT_EQ(lastSaveDialogText(), form.CurrentPath());
    EXPECT_TRUE(dialogs.AllAnswered());
}


// The session ending asks what Exit asks; Cancel, or a cancelled save
// dialog, refuses the end and keeps the document; nothing is written to
// the configuration.
TEST_F(MainFormTest, EndOfSessionAsksLikeExitAndMayRefuse) {
    WriteBytes(dir.File("kept.htm"), "kept");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("kept.htm"));
    Type("x");
    auto queryEnd = [&] { return SendMessageA(form.Handle(), WM_QUERYENDSESSION, 0, 0); };

    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Cancel);
    EXPECT_EQ(queryEnd(), FALSE);
    EXPECT_EQ(TabNames(), "kept.htm");  // the unmodified new document closed without a question

    // Yes saves kept.htm and lets the session end.
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    EXPECT_EQ(queryEnd(), TRUE);
    EXPECT_EQ(ReadBytes(dir.File("kept.htm")), "xkept");
    EXPECT_EQ(form.TN1.Tabs().Count(), 0);

    // A document without a file whose save dialog is cancelled refuses too.
    Command(ID_FILE_NEW);
    Type("unsaved");
    dialogs.ExpectConfirm(kWantToSave, DialogAnswer::Yes);
    dialogs.ExpectSaveDialog("");
    EXPECT_EQ(queryEnd(), FALSE);
    EXPECT_EQ(form.TN1.Tabs().Count(), 1);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(GetFileAttributesA(dir.File("quillmere.ini").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace qmtest

namespace qmtest {
namespace {

int g_stopAtWrite = 0;

TEST_F(MainFormTest, AHardLinkedFileStoppedInTheMiddleOfASaveIsOfferedBack) {
    // The death test's child runs this test again: it saves into the first run's folder.
    const char* named = std::getenv("QM_STOPPED_SAVE_FOLDER");
    const std::string folder = named != nullptr ? named : dir.Path();
    const std::string page = folder + "\\page.htm", other = folder + "\\other.htm";
    std::string oldText, newText;
    while (oldText.size() < 300 * 1024) oldText += "<p>the old text of the page</p>\r\n";
    while (newText.size() < 300 * 1024) newText += "<p>THE NEW TEXT</p>\r\n";
    if (named == nullptr) {
        WriteBytes(page, oldText);
        ASSERT_TRUE(CreateHardLinkA(other.c_str(), page.c_str(), nullptr));
        _putenv_s("QM_STOPPED_SAVE_FOLDER", folder.c_str());
    }
    g_stopAtWrite = 7;  // the second write into the file, after the 5 of its backup copy
    qm::DocumentFileTestHooks hooks;
    hooks.beforeWrite = [](int write) {
        if (write == g_stopAtWrite) TerminateProcess(GetCurrentProcess(), 7);
    };
    EXPECT_EXIT((qm::SetDocumentFileTestHooks(hooks), qm::SaveDocumentFile(page, newText)),
                ::testing::ExitedWithCode(7), "");
    _putenv_s("QM_STOPPED_SAVE_FOLDER", "");
    ASSERT_EQ(ReadBytes(page).substr(0, 65536), newText.substr(0, 65536)) << "half new";

    dialogs.ExpectConfirm(page + " was being saved when Quillmere stopped. Restore the earlier version?",
                          DialogAnswer::Yes);
    Start(page);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(ReadBytes(other), oldText) << "put back into the file both names share";
    EXPECT_EQ(Form().CurrentEditor().Text().size(), oldText.size());
    EXPECT_EQ(CountEntries(folder), 2) << "the backup copy is gone";
}

}  // namespace
}  // namespace qmtest
