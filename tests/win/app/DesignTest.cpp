// The main window's design values read back from the window: its place on
// the screen, the tool bar's edge lines, the status bar's height and font.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <string>

#include "MainFormFixture.h"
#include "Pixels.h"
#include "resources/resource.h"

namespace qmtest {
namespace {

RECT ClientRectOf(HWND child, HWND parent) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

TEST_F(MainFormTest, TheWindowStartsCentredOnTheScreenAtItsDesignSize) {
    qm::TForm1& form = Start();
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, 543);
    EXPECT_EQ(r.bottom - r.top, 384);
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_LE(std::abs(r.left - (screenW - r.right)), 1) << r.left << " " << r.right << " of " << screenW;
    EXPECT_LE(std::abs(r.top - (screenH - r.bottom)), 1) << r.top << " " << r.bottom << " of " << screenH;
}

// Etched lines along the tool bar's top and bottom: a shadow line over a
// highlight line, across the whole bar, whatever its buttons.
TEST_F(MainFormTest, TheToolBarHasEdgeLinesAtItsTopAndBottom) {
    qm::TForm1& form = Start();
    SetForegroundWindow(form.Handle());
    RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    const RECT bar = ClientRectOf(form.ToolBar1.Handle(), form.Handle());
    ASSERT_LE(bar.bottom, 32) << "the bar ends above the tab strip";
    const Pixels pixels(form.Handle());
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), highlight = GetSysColor(COLOR_BTNHIGHLIGHT);
    const int width = bar.right - bar.left;
    auto row = [&](int y) { return RECT{bar.left, y, bar.right, y + 1}; };
    EXPECT_EQ(pixels.Count(row(bar.top), shadow), width);
    EXPECT_EQ(pixels.Count(row(bar.top + 1), highlight), width);
    EXPECT_EQ(pixels.Count(row(bar.bottom - 2), shadow), width) << "no shadow line at the bottom";
    EXPECT_EQ(pixels.Count(row(bar.bottom - 1), highlight), width) << "no highlight line at the bottom";
    // A button that repaints alone (its state changes) keeps the line.
    form.ToolBar1.SetEnabled(ID_FILE_SAVE, false);
    PumpFor(200);
    const Pixels after(form.Handle());
    EXPECT_EQ(after.Count(row(bar.bottom - 2), shadow), width);
    EXPECT_EQ(after.Count(row(bar.bottom - 1), highlight), width);
}

TEST_F(MainFormTest, TheStatusBarIs19PixelsHighInTheWindowsFont) {
    qm::TForm1& form = Start();
    RECT client;
    GetClientRect(form.Handle(), &client);
    const RECT bar = ClientRectOf(form.StatusBar1.Handle(), form.Handle());
    EXPECT_EQ(bar.bottom - bar.top, 19);
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.right - bar.left, client.right);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(form.StatusBar1.Handle(), WM_GETFONT, 0, 0));
    ASSERT_NE(font, nullptr) << "the system's font, not the window's";
    LOGFONTA info{};
    ASSERT_EQ(GetObjectA(font, sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(std::string(info.lfFaceName), "MS Sans Serif");
    EXPECT_EQ(info.lfHeight, -11);
    // Still 19 after the window changed its size.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 640, 480, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    const RECT resized = ClientRectOf(form.StatusBar1.Handle(), form.Handle());
    EXPECT_EQ(resized.bottom - resized.top, 19);
}

}  // namespace
}  // namespace qmtest
