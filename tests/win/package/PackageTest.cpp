// The 64-bit program as a user unpacks it from its zip (check-package.sh
// made and unpacked it) starts in a folder of its own, shows its main
// window, and ends without leaving anything in that folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "RunningProgram.h"
#include "TestSupport.h"

namespace {

TEST(Package, UnpackedProgramStartsAndEnds) {
    const std::string exe = qmtest::WindowsPathFromUnix(QM_PACKAGE_DIR "/win64/quillmere.exe");
    ASSERT_TRUE(qmtest::FileExists(exe)) << exe;
    qmtest::TempDir folder;
    qmtest::RunningProgram program(exe, {}, folder.Path());
    HWND main = nullptr;
    HWND box = nullptr;
    qmtest::WaitUntil(
        [&] {
            box = program.FindWindowByCaption("Quillmere", "#32770");
            main = program.FindWindowByCaption("Quillmere");
            if (main && !qmtest::FindChild(main, WC_TABCONTROLA)) main = nullptr;
            return main || box || !program.Running();
        },
        20000);
    ASSERT_EQ(box, nullptr) << "a message at start";
    ASSERT_NE(main, nullptr) << "no main window";
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
    EXPECT_EQ(qmtest::CountEntries(folder.Path()), 0);
}

}  // namespace
