// The wait cursor during long work: opening, saving and re-colouring show
// it while they run and put the cursor back afterwards, also when they fail.
#include <windows.h>

#include <atomic>
#include <thread>

#include "MainFormFixture.h"
#include "app/DocumentFile.h"
#include "resources/resource.h"
#include "ui/Errors.h"

namespace qmtest {
namespace {

using qm::DialogAnswer;
using qm::DialogKind;

HCURSOR WaitShape() { return LoadCursorA(nullptr, MAKEINTRESOURCEA(32514)); }   // IDC_WAIT
HCURSOR ArrowShape() { return LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); }  // IDC_ARROW

// The cursor the GUI thread shows at the moment the file is put in place.
HCURSOR g_cursorWhileSaving = nullptr;
bool g_failPutInPlace = false;

BOOL WINAPI RecordingReplace(LPCWSTR target, LPCWSTR source, LPCWSTR backup, DWORD flags, LPVOID a, LPVOID b) {
    g_cursorWhileSaving = GetCursor();
    if (g_failPutInPlace) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return ReplaceFileW(target, source, backup, flags, a, b);
}

BOOL WINAPI RecordingMove(LPCWSTR from, LPCWSTR to, DWORD flags) {
    g_cursorWhileSaving = GetCursor();
    if (g_failPutInPlace) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    return MoveFileExW(from, to, flags);
}

class WaitCursorTest : public MainFormTest {
protected:
    WaitCursorTest() {
        SetCursor(ArrowShape());
        qm::DocumentFileTestHooks hooks;
        hooks.replaceFile = &RecordingReplace;
        hooks.moveFile = &RecordingMove;
        qm::SetDocumentFileTestHooks(hooks);
        g_cursorWhileSaving = nullptr;
        g_failPutInPlace = false;
    }
    ~WaitCursorTest() override { qm::SetDocumentFileTestHooks({}); }
};

TEST_F(WaitCursorTest, OpeningShowsTheWaitCursorAndPutsTheOldOneBack) {
    WriteBytes(dir.File("a.htm"), "<p>a</p>");
    WriteBytes(dir.File("b.htm"), "<p>b</p>");
    qm::TForm1& form = Start();
    HCURSOR whileOpening = nullptr;
    form.EditorCreationTestHook = [&] { whileOpening = GetCursor(); };
    SetCursor(ArrowShape());
    form.OpenFile(dir.File("a.htm"));
    EXPECT_EQ(whileOpening, WaitShape());
    EXPECT_EQ(GetCursor(), ArrowShape());

    // The editor cannot be made: the error is reported, the cursor is back.
    whileOpening = nullptr;
    form.EditorCreationTestHook = [&] {
        whileOpening = GetCursor();
        throw qm::Error("Cannot create the window");
    };
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, dir.File("b.htm"));
    dialogs.ExpectError();
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(whileOpening, WaitShape());
    EXPECT_EQ(GetCursor(), ArrowShape());
    EXPECT_EQ(TabNames(), "Untitled|a.htm");

    // A file that cannot be read fails before any editor is made.
    WriteBytes(dir.File("nul.htm"), std::string("x\0y", 3));
    dialogs.Expect(DialogKind::OpenFile, "", DialogAnswer::Ok, dir.File("nul.htm"));
    dialogs.ExpectError();
    Command(ID_FILE_OPEN);
    EXPECT_EQ(GetCursor(), ArrowShape());
}

TEST_F(WaitCursorTest, SavingShowsTheWaitCursorButNotInItsDialog) {
    WriteBytes(dir.File("a.htm"), "old");
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("a.htm"));
    Type("new");
    SetCursor(ArrowShape());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(g_cursorWhileSaving, WaitShape());
    EXPECT_EQ(GetCursor(), ArrowShape());
    EXPECT_EQ(ReadBytes(dir.File("a.htm")), "newold");

    // Putting the file in place fails: reported, nothing saved, cursor back.
    Type("again");
    g_cursorWhileSaving = nullptr;
    g_failPutInPlace = true;
    dialogs.ExpectError();
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(dialogs.AllAnswered());
    EXPECT_EQ(g_cursorWhileSaving, WaitShape());
    EXPECT_EQ(GetCursor(), ArrowShape());
    EXPECT_TRUE(form.CurrentEditor().Modified());
    EXPECT_EQ(ReadBytes(dir.File("a.htm")), "newold");

    // A new document asks for its name first: the dialog is no long work.
    form.TN1.Tabs().SetTabIndex(0);
    Type("x");
    dialogs.ExpectSaveDialog("");
    SetCursor(ArrowShape());
    Command(ID_FILE_SAVE);
    EXPECT_EQ(GetCursor(), ArrowShape());
}

// Applying new settings to the open editors lays every line of a big
// document out again in the new font: a thread sharing the GUI thread's
// input state watches the cursor meanwhile.
TEST_F(WaitCursorTest, ReColouringABigDocumentShowsTheWaitCursor) {
    std::string text;
    while (text.size() < 2'000'000) text += "<p class=\"x\">Some words of text in a paragraph</p>\r\n";
    WriteBytes(dir.File("big.htm"), text);
    qm::TForm1& form = Start();
    form.OpenFile(dir.File("big.htm"));
    WriteBytes(dir.File("quillmere.ini"), "[Memo]\r\nFont=Courier New\r\nSize=12\r\n");

    const DWORD guiThread = GetCurrentThreadId();
    std::atomic<bool> stop{false}, ready{false}, attached{false}, sawWait{false};
    std::thread watcher([&] {
        attached = AttachThreadInput(GetCurrentThreadId(), guiThread, TRUE) != FALSE;
        ready = true;
        while (!stop) {
            if (GetCursor() == WaitShape()) sawWait = true;
            Sleep(0);
        }
        AttachThreadInput(GetCurrentThreadId(), guiThread, FALSE);
    });
    while (!ready) Sleep(1);
    SetCursor(ArrowShape());
    const DWORD start = GetTickCount();
    form.LoadSettings(true);
    const DWORD took = GetTickCount() - start;
    stop = true;
    watcher.join();
    ASSERT_TRUE(attached);
    EXPECT_TRUE(sawWait) << "re-colouring took " << took << " ms";
    EXPECT_EQ(GetCursor(), ArrowShape());
    EXPECT_EQ(form.CurrentEditor().Font().Name, "Courier New");
}

}  // namespace
}  // namespace qmtest
