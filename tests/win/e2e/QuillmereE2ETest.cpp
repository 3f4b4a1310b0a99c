// The real quillmere.exe, started with a file and driven from outside:
// typing, the File menu through its access keys, the save question on close
// and exit, and what lands on disk.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "RunningProgram.h"
#include "TestSupport.h"

namespace {

using qmtest::RunningProgram;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kStepTimeoutMs = 5000;

const std::string kOriginal = "<html>\nold line\r\n";

class QuillmereE2E : public ::testing::Test {
protected:
    // Starts the program in the temp folder with `argument`, waits for the
    // main window and its one document.
    void Start(const std::string& argument) {
        program_ = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH),
                                                    std::vector<std::string>{argument}, dir_.Path());
        ASSERT_TRUE(qmtest::WaitUntil(
            [this] {
                main_ = program_->FindWindowByCaption("Quillmere");
                return (main_ && TabStrip()) || !program_->Running();
            },
            kStartTimeoutMs))
            << "no main window";
        ASSERT_TRUE(program_->Running());
    }

    HWND TabStrip() const { return qmtest::FindChild(main_, WC_TABCONTROLA); }
    HWND StatusBar() const { return qmtest::FindChild(main_, STATUSCLASSNAMEA); }
    int TabCount() const {
        return static_cast<int>(SendMessageA(TabStrip(), TCM_GETITEMCOUNT, 0, 0));
    }
    // The visible document editor (the grey read-only one underneath does
    // not count).
    HWND Editor() const {
        return qmtest::FindChild(main_, "Edit", [](HWND edit) {
            return IsWindowVisible(edit) && !(GetWindowLongPtrA(edit, GWL_STYLE) & ES_READONLY);
        });
    }
    std::string Panel1() const { return program_->StatusText(StatusBar(), 1); }

    // Types `text` at the end of the current document.
    void TypeAtEnd(const std::string& text) {
        HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        const LRESULT end = SendMessageA(editor, WM_GETTEXTLENGTH, 0, 0);
        SendMessageA(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
        RunningProgram::TypeChars(editor, text);
    }

    void Choose(const std::string& menu, const std::string& item) {
        ASSERT_TRUE(program_->ChooseMenuItem(main_, menu, item)) << menu << " > " << item;
    }

    qmtest::TempDir dir_;
    std::unique_ptr<RunningProgram> program_;
    HWND main_ = nullptr;
};

TEST_F(QuillmereE2E, TypeSaveAndClose) {
    const std::string path = dir_.File("page.htm");
    qmtest::WriteBytes(path, kOriginal);
    ASSERT_NO_FATAL_FAILURE(Start("page.htm"));

    EXPECT_EQ(TabCount(), 1);
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(qmtest::TextOf(editor), "<html>\r\nold line\r\n");
    // A bare name is taken from the working folder.
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == path; }, kStepTimeoutMs)) << Panel1();

    ASSERT_NO_FATAL_FAILURE(TypeAtEnd("<p>new</p>\rend"));
    Choose("&File", "&Save");
    const std::string expected = "<html>\r\nold line\r\n<p>new</p>\r\nend\r\n";
    EXPECT_TRUE(qmtest::WaitUntil([&] { return qmtest::ReadBytes(path) == expected; }, kStepTimeoutMs))
        << qmtest::ReadBytes(path);

    Choose("&File", "&Close");
    EXPECT_TRUE(qmtest::WaitUntil([&] { return TabCount() == 0; }, kStepTimeoutMs));
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(qmtest::WaitUntil([&] { return Panel1() == "No file is opened"; }, kStepTimeoutMs)) << Panel1();
    EXPECT_EQ(program_->FindWindowByCaption("Confirm"), nullptr);
    EXPECT_EQ(qmtest::ReadBytes(path), expected);
}

}  // namespace
