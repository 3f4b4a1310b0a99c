// The colour dialog: through the seam, and the system's own dialog answered
// by its buttons.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "ScriptedDialogs.h"
#include "ui/ColorDialog.h"
#include "ui/Font.h"

namespace {

using qm::DialogAnswer;
using qm::TColorDialog;

TEST(ColorDialogSeam, OpensWithTheColourAndAnswersTheChoice) {
    qmtest::ScriptedDialogs dialogs;
    TColorDialog dialog;
    dialogs.ExpectColor(DialogAnswer::Ok, 0x000080FF);
    dialogs.ExpectColor(DialogAnswer::Cancel);
    ASSERT_TRUE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Color, 0x000080FFu);
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_EQ(dialog.Color, 0x000080FFu) << "a cancelled dialog keeps the colour";
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[0].color, qm::clBlack) << "black the first time";
    EXPECT_EQ(dialogs.Requests()[1].color, 0x000080FFu) << "then the last colour chosen";
}

// Presses a button of the system's colour dialog of this process once it shows.
class DialogButtonPresser {
public:
    explicit DialogButtonPresser(int buttonId)
        : thread_([this, buttonId] {
              for (int i = 0; i < 200 && !stop_; ++i) {
                  HWND found = nullptr;
                  EnumThreadWindows(mainThread_, &FindDialog, reinterpret_cast<LPARAM>(&found));
                  if (found && IsWindowVisible(found)) {
                      PostMessageA(found, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(GetDlgItem(found, buttonId)));
                      pressed_ = true;
                      return;
                  }
                  Sleep(50);
              }
          }) {}
    ~DialogButtonPresser() {
        stop_ = true;
        thread_.join();
    }
    bool Pressed() const { return pressed_; }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
        char cls[16] = {};
        GetClassNameA(window, cls, sizeof cls);
        if (std::string(cls) != "#32770") return TRUE;
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    DWORD mainThread_ = GetCurrentThreadId();
    std::atomic<bool> stop_{false};
    std::atomic<bool> pressed_{false};
    std::thread thread_;
};

TEST(ColorDialogReal, OkGivesBackThePlainColourItOpenedWith) {
    TColorDialog dialog;
    dialog.Color = 0x000080FF;  // red 255, green 128, blue 0
    {
        DialogButtonPresser ok(IDOK);
        ASSERT_TRUE(dialog.Execute(nullptr));
        EXPECT_TRUE(ok.Pressed());
    }
    EXPECT_EQ(dialog.Color, 0x000080FFu);

    dialog.Color = 0x8000000F;  // the system's button face colour
    {
        DialogButtonPresser ok(IDOK);
        ASSERT_TRUE(dialog.Execute(nullptr));
    }
    EXPECT_EQ(dialog.Color, static_cast<qm::TColor>(GetSysColor(COLOR_BTNFACE)))
        << "a system colour comes back as its red, green and blue";
}

TEST(ColorDialogReal, CancelKeepsTheColour) {
    TColorDialog dialog;
    dialog.Color = 0x00FF0000;
    DialogButtonPresser cancel(IDCANCEL);
    EXPECT_FALSE(dialog.Execute(nullptr));
    EXPECT_TRUE(cancel.Pressed());
    EXPECT_EQ(dialog.Color, 0x00FF0000u);
}

}  // namespace
