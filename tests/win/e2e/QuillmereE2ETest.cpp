// The real quillmere.exe, started with a file and driven from outside:
// typing, the File menu through its access keys, the save question on close
// and exit, and what lands on disk.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "RunningProgram.h"
#include "TestSupport.h"
#include "ui/Utf.h"

namespace {

using qmtest::RunningProgram;
using qmtest::SendWithTimeout;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kStepTimeoutMs = 5000;

const std::string kOriginal = "<html>\nold line\r\n";

class QuillmereE2E : public ::testing::Test {
protected:
    // Starts the program in the temp folder with `argument` and waits for
    // its main window (the one with the tab strip; plain message boxes carry
    // the same caption). A message box instead fails the test with its text.
    void Start(const std::string& argument) {
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH),
                                                    std::vector<std::string>{argument}, dir_.Path());
        HWND box = nullptr;
        qmtest::WaitUntil(
            [&] {
                box = program_->FindWindowByCaption("Quillmere", "#32770");
                main_ = program_->FindWindowByCaption("Quillmere");
                if (main_ && !TabStrip()) main_ = nullptr;
                return main_ || box || !program_->Running();
            },
            kStartTimeoutMs);
        ASSERT_EQ(box, nullptr) << "message at start: " << MessageText(box);
        ASSERT_NE(main_, nullptr) << "no main window";
    }

    // The text of a message box or question.
    static std::string MessageText(HWND box) {
        HWND label = qmtest::FindChild(box, "Static", [](HWND s) { return !qmtest::TextOf(s).empty(); });
        return label ? qmtest::TextOf(label) : std::string();
    }

    HWND TabStrip() const { return qmtest::FindChild(main_, WC_TABCONTROLA); }
    HWND StatusBar() const { return qmtest::FindChild(main_, STATUSCLASSNAMEA); }
    int TabCount() const { return static_cast<int>(SendWithTimeout(TabStrip(), TCM_GETITEMCOUNT, 0, 0)); }
    static bool Modified(HWND editor) { return SendWithTimeout(editor, EM_GETMODIFY, 0, 0) != 0; }
    // The visible document editor (the grey read-only one underneath does
    // not count).
    HWND Editor() const {
        return qmtest::FindChild(main_, "Edit", [](HWND edit) {
            return IsWindowVisible(edit) && !(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
        });
    }
    std::string Panel(int panel) const { return program_->StatusText(StatusBar(), panel); }
    std::string Panel1() const { return Panel(1); }

    // Types `text` at the end of the current document.
    void TypeAtEnd(const std::string& text) {
        HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        const LRESULT end = SendWithTimeout(editor, WM_GETTEXTLENGTH, 0, 0);
        SendWithTimeout(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
        RunningProgram::TypeChars(editor, text);
    }

    void Choose(const std::string& menu, const std::string& item) {
        ASSERT_NO_THROW(program_->ChooseMenuItem(main_, menu, item)) << menu << " > " << item;
    }

    // Starts with a saved file, types into it and picks File > Exit: the
    // question about the modified document must come up.
    HWND ExitWithModifiedDocument() {
        qmtest::WriteBytes(path_, kOriginal);
        Start("page.htm");
        if (HasFatalFailure()) return nullptr;
        TypeAtEnd("typed");
        EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);  // typing alone writes nothing
        Choose("&File", "E&xit");
        if (HasFatalFailure()) return nullptr;
        HWND confirm = program_->WaitForWindow("Confirm", kStepTimeoutMs);
        EXPECT_NE(confirm, nullptr) << "no question before exit";
        if (!confirm) return nullptr;
        EXPECT_EQ(MessageText(confirm), "Want to save changes?");
        for (const char* caption : {"&Yes", "&No", "Cancel"}) {
            EXPECT_NE(qmtest::FindChild(confirm, "Button", [&](HWND b) { return qmtest::TextOf(b) == caption; }),
                      nullptr)
                << caption;
        }
        return confirm;
    }

    qmtest::TempDir dir_;
    const std::string path_ = dir_.File("page.htm");
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

TEST_F(QuillmereE2E, TypeSaveAndClose) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));

    EXPECT_EQ(TabCount(), 1);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qmtest::TextOf(editor), "<html>\r\nold line\r\n");
    // A bare name is taken from the working folder.
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == path_; }, kStepTimeoutMs)) << Panel1();

    ASSERT_NO_FATAL_FAILURE(TypeAtEnd("<p>new</p>\rend"));
    ASSERT_TRUE(Modified(editor));
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "&Save"));
    // The modified mark goes when the file is written; read it only then,
    // so as not to hold it open while the program replaces it.
    ASSERT_TRUE(qmtest::WaitUntil([&] { return !Modified(editor); }, kStepTimeoutMs));
    const std::string expected = "<html>\r\nold line\r\n<p>new</p>\r\nend";
    EXPECT_EQ(qmtest::ReadBytes(path_), expected);

    ASSERT_NO_FATAL_FAILURE(Choose("&File", "&Close"));
    EXPECT_TRUE(qmtest::WaitUntil([&] { return TabCount() == 0; }, kStepTimeoutMs));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == "No file is opened"; }, kStepTimeoutMs)) << Panel1();
    EXPECT_EQ(program_->FindWindowByCaption("Confirm"), nullptr);
    EXPECT_EQ(qmtest::ReadBytes(path_), expected);
}

TEST_F(QuillmereE2E, ExitAnsweredNoEndsWithoutSaving) {
    HWND confirm = ExitWithModifiedDocument();
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&No"));
    ASSERT_TRUE(program_->WaitForExit(kStepTimeoutMs)) << "still running after No";
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);
}

TEST_F(QuillmereE2E, ExitAnsweredYesSavesFirst) {
    HWND confirm = ExitWithModifiedDocument();
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&Yes"));
    ASSERT_TRUE(program_->WaitForExit(kStepTimeoutMs)) << "still running after Yes";
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_EQ(qmtest::ReadBytes(path_), "<html>\r\nold line\r\ntyped");
}

TEST_F(QuillmereE2E, EscapeOnTheQuestionCancelsTheExit) {
    HWND confirm = ExitWithModifiedDocument();
    ASSERT_NE(confirm, nullptr);
    HWND focus = qmtest::FocusOf(confirm);
    qmtest::PressKey(focus && IsChild(confirm, focus) ? focus : confirm, VK_ESCAPE);
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(confirm, kStepTimeoutMs));
    // Nothing closes behind the vanished question.
    Sleep(300);
    EXPECT_TRUE(program_->Running());
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(TabCount(), 1);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qmtest::TextOf(editor), "<html>\r\nold line\r\ntyped");
    EXPECT_TRUE(Modified(editor));
    EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);

    // The program still answers: a second Exit asks again, and No ends it.
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "E&xit"));
    confirm = program_->WaitForWindow("Confirm", kStepTimeoutMs);
    ASSERT_NE(confirm, nullptr) << "no question at the second exit";
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&No"));
    EXPECT_TRUE(program_->WaitForExit(kStepTimeoutMs)) << "still running after No";
    EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);
}

// Focus: after a dialog or box closes, the current document's editor has
// the keyboard focus again, and keys typed for real land in the document.
class FocusE2E : public QuillmereE2E {
protected:
    // The editor has the focus (read from outside) and real keys typed now
    // end up in its text.
    void ExpectTypingReachesEditor(const std::string& keys) {
        HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::FocusOf(main_) == editor; }, kStepTimeoutMs))
            << "focus on " << qmtest::ClassOf(qmtest::FocusOf(main_));
        const std::string before = qmtest::TextOf(editor);
        ASSERT_NO_THROW(qmtest::TypeRealKeys(main_, keys));
        EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::TextOf(editor).find(keys) != std::string::npos; },
                                      kStepTimeoutMs))
            << "before: " << before << "\nafter: " << qmtest::TextOf(editor);
    }

    // Escape in the dialog `caption`, pressed on its focused control.
    void Escape(const std::string& caption) {
        HWND dialog = program_->WaitForWindow(caption, kStepTimeoutMs);
        ASSERT_NE(dialog, nullptr) << "no window " << caption;
        HWND focus = qmtest::FocusOf(dialog);
        qmtest::PressKey(focus && (focus == dialog || IsChild(dialog, focus)) ? focus : dialog, VK_ESCAPE);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs)) << caption << " stays";
    }

    // The File menu's Open..., the name `path` typed into its field and
    // Return; the dialog must close.
    void OpenThroughTheDialog(const std::string& path) {
        HWND dialog = nullptr;
        ASSERT_NO_THROW(dialog = program_->ChooseMenuItemOpening(main_, "&File", "&Open...", "Open", kStepTimeoutMs));
        HWND field = qmtest::FileNameField(dialog);
        ASSERT_NE(field, nullptr) << "no file name field";
        SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        qmtest::PressKey(field, VK_RETURN);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs)) << "the Open dialog stays";
    }

    // The program's box with `text` answered by its OK button.
    void Acknowledge(const std::string& text) {
        HWND box = program_->WaitForWindow("Quillmere", kStepTimeoutMs, "#32770");
        ASSERT_NE(box, nullptr) << "no box: " << text;
        EXPECT_EQ(MessageText(box), text);
        ASSERT_TRUE(RunningProgram::ClickButton(box, "OK"));
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(box, kStepTimeoutMs));
    }
};

// A window of another program (this one), brought to the front.
class OtherProgramWindow {
public:
    OtherProgramWindow() {
        window_ = CreateWindowExA(0, "STATIC", "Another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300,
                                  200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        SetForegroundWindow(window_);
    }
    ~OtherProgramWindow() { DestroyWindow(window_); }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

TEST_F(FocusE2E, CancelOnTheSaveQuestionGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd("x"));
    HWND confirm = nullptr;
    ASSERT_NO_THROW(confirm = program_->ChooseMenuItemOpening(main_, "&File", "&Close", "Confirm", kStepTimeoutMs));
    EXPECT_EQ(MessageText(confirm), "Want to save changes?");
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "Cancel"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(confirm, kStepTimeoutMs));
    EXPECT_EQ(TabCount(), 1);
    ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
}

TEST_F(FocusE2E, AlreadyOpenedForTheCurrentTabGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    ASSERT_NO_FATAL_FAILURE(OpenThroughTheDialog(path_));
    ASSERT_NO_FATAL_FAILURE(Acknowledge("File is already opened!"));
    EXPECT_EQ(TabCount(), 1);
    ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
}

TEST_F(FocusE2E, AnErrorBoxGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    const std::string unreadable = dir_.File("nul.htm");
    qmtest::WriteBytes(unreadable, std::string("a\0b", 3));
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    ASSERT_NO_FATAL_FAILURE(OpenThroughTheDialog(unreadable));
    HWND box = program_->WaitForWindow("Quillmere", kStepTimeoutMs, "#32770");
    ASSERT_NE(box, nullptr) << "no error box";
    EXPECT_NE(MessageText(box).find(unreadable), std::string::npos) << MessageText(box);
    ASSERT_TRUE(RunningProgram::ClickButton(box, "OK"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(box, kStepTimeoutMs));
    EXPECT_EQ(TabCount(), 1);
    ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
}

TEST_F(FocusE2E, SwitchingBackFromAnotherProgramGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    {
        OtherProgramWindow other;
        ASSERT_TRUE(qmtest::WaitUntil([&] { return GetForegroundWindow() == other.Handle(); }, kStepTimeoutMs));
        // Keys typed now go to the other program, not into the document.
        ASSERT_NO_THROW(qmtest::TypeRealKeys(other.Handle(), "zz"));
        qmtest::PumpFor(200);
        EXPECT_EQ(qmtest::TextOf(Editor()).find("zz"), std::string::npos);
        SetForegroundWindow(main_);
        ASSERT_TRUE(qmtest::WaitUntil([&] { return GetForegroundWindow() == main_; }, kStepTimeoutMs));
        ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
    }
}

TEST_F(FocusE2E, ClosingTheAboutBoxGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    // "&About" has no items: its access key runs it at once.
    qmtest::PressKey(main_, 'A', true);
    HWND about = program_->WaitForWindow("About", kStepTimeoutMs);
    ASSERT_NE(about, nullptr) << "no about box";
    ASSERT_TRUE(RunningProgram::ClickButton(about, "OK"));
    ASSERT_TRUE(RunningProgram::WaitForWindowGone(about, kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
}

TEST_F(FocusE2E, CancelledSaveAsGivesTheFocusBack) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "Save &As..."));
    ASSERT_NO_FATAL_FAILURE(Escape("Save As"));
    ASSERT_NO_FATAL_FAILURE(ExpectTypingReachesEditor("abc"));
    EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);
}

// The save dialogs through the real program: a document without a file is
// never offered another document's name (one Return away from replacing
// that file); Save As offers the document's own name.
class SaveDialogE2E : public QuillmereE2E {
protected:
    // File > `item`, and the save dialog it opens.
    HWND SaveDialogFrom(const std::string& item) {
        HWND dialog = nullptr;
        EXPECT_NO_THROW(dialog = program_->ChooseMenuItemOpening(main_, "&File", item, "Save As", kStepTimeoutMs,
                                                                "#32770"));
        return dialog;
    }
    static std::string NameOffered(HWND dialog) {
        HWND field = qmtest::FileNameField(dialog);
        EXPECT_NE(field, nullptr) << "no file name field";
        return field ? qmtest::TextOf(field) : std::string();
    }
    // Types `name` into the dialog's field and presses Return there.
    static void ChooseName(HWND dialog, const std::string& name) {
        HWND field = qmtest::FileNameField(dialog);
        ASSERT_NE(field, nullptr);
        SendWithTimeout(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
        qmtest::PressKey(field, VK_RETURN);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs)) << "the dialog stays";
    }
    static void Cancel(HWND dialog) {
        HWND field = qmtest::FileNameField(dialog);
        qmtest::PressKey(field ? field : dialog, VK_ESCAPE);
        ASSERT_TRUE(RunningProgram::WaitForWindowGone(dialog, kStepTimeoutMs)) << "the dialog stays";
    }
    // The file name a field shows: what follows the last backslash, as the
    // dialog may show a full path or only the name.
    static std::string NamePart(const std::string& text) {
        const size_t slash = text.find_last_of('\\');
        return slash == std::string::npos ? text : text.substr(slash + 1);
    }
};

TEST_F(SaveDialogE2E, ANewDocumentIsOfferedNoNameAndSaveAsItsOwn) {
    qmtest::WriteBytes(path_, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
    const std::string other = dir_.File("b.htm");

    // Save As offers the document's own name; the user saves it as b.htm.
    HWND dialog = SaveDialogFrom("Save &As...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(NamePart(NameOffered(dialog)), "page.htm");
    ASSERT_NO_FATAL_FAILURE(ChooseName(dialog, other));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return qmtest::FileExists(other); }, kStepTimeoutMs));
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == other; }, kStepTimeoutMs)) << Panel1();

    // A new document: Save offers an empty field, not "b.htm".
    ASSERT_NO_THROW(program_->ChooseMenuItemUntil(main_, "&File", "&New", [&] { return TabCount() == 2; },
                                                   kStepTimeoutMs));
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd("new text"));
    dialog = SaveDialogFrom("&Save");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(NameOffered(dialog), "");
    // Return on the empty field saves nothing over b.htm.
    qmtest::PressKey(qmtest::FileNameField(dialog), VK_RETURN);
    Sleep(300);
    ASSERT_TRUE(IsWindow(dialog) && IsWindowVisible(dialog)) << "Return on the offered name closed the dialog";
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));
    EXPECT_EQ(qmtest::ReadBytes(other), "<html>\r\nold line\r\n");

    // Save As of the new document offers no name either.
    dialog = SaveDialogFrom("Save &As...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(NameOffered(dialog), "");
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));

    // Close, Yes: the save dialog of the closing new document is empty too;
    // cancelled, the document stays.
    HWND confirm = nullptr;
    ASSERT_NO_THROW(confirm = program_->ChooseMenuItemOpening(main_, "&File", "&Close", "Confirm", kStepTimeoutMs));
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&Yes"));
    dialog = program_->WaitForWindow("Save As", kStepTimeoutMs, "#32770");
    ASSERT_NE(dialog, nullptr) << "no save dialog after Yes";
    EXPECT_EQ(NameOffered(dialog), "");
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return IsWindowEnabled(main_); }, kStepTimeoutMs));
    EXPECT_EQ(TabCount(), 2);

    // The new document closed without saving, b.htm's tab is current again:
    // Save As offers b.htm.
    ASSERT_NO_THROW(confirm = program_->ChooseMenuItemOpening(main_, "&File", "&Close", "Confirm", kStepTimeoutMs));
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&No"));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return TabCount() == 1; }, kStepTimeoutMs));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return Panel1() == other; }, kStepTimeoutMs)) << Panel1();
    dialog = SaveDialogFrom("Save &As...");
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(NamePart(NameOffered(dialog)), "b.htm");
    ASSERT_NO_FATAL_FAILURE(Cancel(dialog));
    EXPECT_EQ(qmtest::ReadBytes(other), "<html>\r\nold line\r\n");
    EXPECT_EQ(qmtest::ReadBytes(path_), kOriginal);
}

// The tab strip under real mouse clicks: a left click selects the tab where
// it happened, even when the mouse has moved on before the program handles
// it; a right click opens the tab menu there and leaves the current tab,
// which the menu's commands act on.
class TabStripE2E : public QuillmereE2E {
protected:
    // The program started with page.htm and a new document after it.
    void StartWithTwoTabs() {
        qmtest::WriteBytes(path_, kOriginal);
        ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
        ASSERT_NO_THROW(program_->ChooseMenuItemUntil(main_, "&File", "&New", [&] { return TabCount() == 2; },
                                                       kStepTimeoutMs));
        ASSERT_EQ(CurrentTab(), 1);
    }
    int CurrentTab() const { return static_cast<int>(SendWithTimeout(TabStrip(), TCM_GETCURSEL, 0, 0)); }
    POINT TabCentre(int index) const {
        const RECT r = program_->TabRect(TabStrip(), index);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    // The visible popup menu of the program, if any.
    HWND PopupMenu() const {
        for (HWND window : program_->Windows()) {
            if (qmtest::ClassOf(window) == "#32768") return window;
        }
        return nullptr;
    }
};

TEST_F(TabStripE2E, ALeftClickSelectsTheTabWhereItHappened) {
    ASSERT_NO_FATAL_FAILURE(StartWithTwoTabs());
    // Clicked on the first tab; by the time the program looks, the mouse
    // is over the second.
    ASSERT_NO_THROW(qmtest::SendMouse(main_, {{TabCentre(0), true}, {TabCentre(1), false}}));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return CurrentTab() == 0; }, kStepTimeoutMs)) << "current " << CurrentTab();
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == path_; }, kStepTimeoutMs)) << Panel1();
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qmtest::TextOf(editor), "<html>\r\nold line\r\n");
    Sleep(300);
    EXPECT_EQ(CurrentTab(), 0);
    // And back to the second, the document's editor with the focus.
    ASSERT_NO_THROW(qmtest::SendMouse(main_, {{TabCentre(1), true}, {TabCentre(0), false}}));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return CurrentTab() == 1; }, kStepTimeoutMs)) << "current " << CurrentTab();
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == "Untitled"; }, kStepTimeoutMs)) << Panel1();
    EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::FocusOf(main_) == Editor(); }, kStepTimeoutMs));
}

TEST_F(TabStripE2E, ARightClickOpensTheTabMenuWhereItHappenedForTheCurrentTab) {
    ASSERT_NO_FATAL_FAILURE(StartWithTwoTabs());
    const POINT at = TabCentre(0);
    ASSERT_NO_THROW(qmtest::SendMouse(main_, {{at, true}, {TabCentre(1), false}}, true));
    HWND menu = nullptr;
    ASSERT_TRUE(qmtest::WaitUntil([&] { return (menu = PopupMenu()) != nullptr; }, kStepTimeoutMs)) << "no tab menu";
    RECT r{};
    GetWindowRect(menu, &r);
    EXPECT_LE(std::abs(r.left - at.x), 2) << r.left << " against " << at.x;
    EXPECT_LE(std::abs(r.top - at.y), 2) << r.top << " against " << at.y;
    EXPECT_EQ(CurrentTab(), 1) << "a right click does not select";
    // Its first item, Close, closes the current tab, not the clicked one.
    qmtest::PressKey(main_, VK_DOWN);
    qmtest::PressKey(main_, VK_RETURN);
    ASSERT_TRUE(qmtest::WaitUntil([&] { return TabCount() == 1; }, kStepTimeoutMs));
    EXPECT_EQ(CurrentTab(), 0);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == path_; }, kStepTimeoutMs)) << Panel1();
    EXPECT_EQ(PopupMenu(), nullptr);
}

// A UTF-8 page named outside the ANSI code page, given on the command line:
// its name shows in the tab and the status bar, characters outside
// Windows-1252 typed as Unicode keys are saved as UTF-8 into that file, and
// no other byte of it changes.
TEST_F(QuillmereE2E, ANonAnsiNameOpensAndTypedCharactersAreSavedAsUtf8) {
    const std::string name = "\xCE\xA9mega \xE6\x97\xA5\xE6\x9C\xAC.htm";  // "Ωmega 日本.htm"
    const std::string path = dir_.File(name);
    const std::string before = "<meta charset=\"utf-8\">\nCaf\xC3\xA9 \xE2\x80\x94 ";
    const std::string typed = "\xC4\x81\xE6\x97\xA5\xE6\x9C\xAC\xE2\x80\x94";  // "ā日本—"
    const std::string after = "\xE2\x80\x9Cquoted\xE2\x80\x9D na\xC3\xAFve\n";
    qmtest::WriteBytes(path, before + after);
    ASSERT_NO_FATAL_FAILURE(Start(name));
    EXPECT_EQ(program_->TabText(TabStrip(), 0), name);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == path; }, kStepTimeoutMs)) << Panel1();
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel(2) == "UTF-8 \xC2\xB7 LF"; }, kStepTimeoutMs)) << Panel(2);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    // In the editor the one LF before the caret is a CR LF.
    const LPARAM caret = static_cast<LPARAM>(qm::Utf8ToUtf16(before).size() + 1);
    SendWithTimeout(editor, EM_SETSEL, static_cast<WPARAM>(caret), caret);
    ASSERT_NO_THROW(qmtest::TypeUnicode(main_, L"\u0101\u65E5\u672C\u2014"));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return qmtest::TextOf(editor).find(typed) != std::string::npos; },
                                  kStepTimeoutMs))
        << qmtest::TextOf(editor);
    ASSERT_NO_FATAL_FAILURE(Choose("&File", "&Save"));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return !Modified(editor); }, kStepTimeoutMs));
    EXPECT_EQ(qmtest::ReadBytes(path), before + typed + after);
    EXPECT_EQ(qmtest::CountEntries(dir_.Path()), 1);
}

// UTF-16 and ANSI text (every byte value but NUL, CR and LF) come back from
// Save byte for byte after an edit that was taken back.
TEST_F(QuillmereE2E, UntouchedTextSavesBackByteForByte) {
    std::string ansi;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') ansi += static_cast<char>(b);
    }
    const struct {
        std::string bytes;
        const char* format;
    } files[] = {
        {std::string("\xFF\xFE<\0p\0>\0\r\0\n\0=\xD8\0\xDE\x01\x01", 18), "UTF-16 LE \xC2\xB7 CR LF"},
        {ansi + "\r\n" + ansi, "ANSI \xC2\xB7 CR LF"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.format);
        qmtest::WriteBytes(path_, file.bytes);
        ASSERT_NO_FATAL_FAILURE(Start("page.htm"));
        EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel(2) == file.format; }, kStepTimeoutMs)) << Panel(2);
        ASSERT_NO_FATAL_FAILURE(TypeAtEnd("x\b"));
        ASSERT_TRUE(qmtest::WaitUntil([&] { return Modified(Editor()); }, kStepTimeoutMs));
        ASSERT_NO_FATAL_FAILURE(Choose("&File", "&Save"));
        ASSERT_TRUE(qmtest::WaitUntil([&] { return !Modified(Editor()); }, kStepTimeoutMs));
        EXPECT_EQ(qmtest::ReadBytes(path_), file.bytes);
        program_.reset();
    }
}

}  // namespace
