// The program's own windows: the main window, the about box and the print
// dialog carry the gradient caption; the options dialog keeps the system's.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "config/OptionsForm.h"
#include "printing/PrintForm.h"

namespace {

COLORREF BarPixel(HWND window, int x, int y) {
    HDC dc = GetWindowDC(window);
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return pixel;
}

void ShowAndPaint(HWND window) {
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    qmtest::PumpFor(300);
}

TEST(ProgramWindowsCaption, ThreeWindowsCarryItTheOptionsDialogDoesNot) {
    qmtest::TempDir dir;
    char old[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, old);
    SetCurrentDirectoryA(dir.Path().c_str());
    qmtest::WriteBytes(dir.File("temp.htm"), "");  // the template of new documents
    qmtest::ScriptedDialogs dialogs;
    {
        qm::TForm1 main("");
        qm::TForm5 about(main.Handle());
        qm::TForm2 print(main);
        qm::TForm3 options(main);
        main.SetSecondaryForms(&about, &print, &options);
        main.Show(SW_SHOWNORMAL);
        qmtest::PumpFor(300);

        ASSERT_TRUE(main.GradientCaption1);
        EXPECT_TRUE(main.GradientCaption1->Attached());
        EXPECT_EQ(qm::WindowText(main.Handle()), "Quillmere");
        EXPECT_EQ(main.GradientCaption1->CaptionText.Font().Name, "Times New Roman");
        EXPECT_TRUE(main.GradientCaption1->CaptionText.Font().Bold);
        EXPECT_TRUE(main.GradientCaption1->CaptionText.Font().Italic);
        EXPECT_EQ(main.GradientCaption1->CaptionText.Font().Height, -16);
        ShowAndPaint(main.Handle());
        const RECT bar = main.GradientCaption1->ComputeCaptionBarRect();
        EXPECT_EQ(BarPixel(main.Handle(), bar.left, bar.top), RGB(128, 0, 0));

        ASSERT_TRUE(print.GradientCaption1);
        EXPECT_TRUE(print.GradientCaption1->Attached());
        EXPECT_EQ(qm::WindowText(print.Handle()), "Print...");
        ASSERT_TRUE(about.GradientCaption1);
        EXPECT_EQ(qm::WindowText(about.Handle()), "About");
        about.Show();
        qmtest::PumpFor(200);
        RedrawWindow(about.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        qmtest::PumpFor(100);
        const RECT aboutBar = about.GradientCaption1->ComputeCaptionBarRect();
        EXPECT_EQ(BarPixel(about.Handle(), aboutBar.left, aboutBar.top), RGB(128, 0, 0));
        about.Hide();

        // The options dialog: not hooked, the system's caption colour.
        EXPECT_EQ(GetPropA(options.Handle(), "QuillmereGradientCaption"), nullptr);
        ShowAndPaint(options.Handle());
        RECT window{};
        GetWindowRect(options.Handle(), &window);
        const int frame = GetSystemMetrics(SM_CXDLGFRAME);
        const COLORREF left = BarPixel(options.Handle(), frame, frame);
        EXPECT_NE(left, RGB(128, 0, 0));
        ShowWindow(options.Handle(), SW_HIDE);
    }
    qmtest::PumpMessages();
    SetCurrentDirectoryA(old);
}

}  // namespace
