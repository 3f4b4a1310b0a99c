// A main window and the options dialog made in the test's own process, in a
// fresh working folder (which becomes ConfigDir), with their dialogs
// answered by a script; and a look at what windows show on the screen.
#pragma once

#include <windows.h>

#include "Pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/MainForm.h"
#include "config/IniValues.h"
#include "config/OptionsForm.h"

namespace qmtest {

class ConfigTest : public ::testing::Test {
protected:
    ConfigTest();
    ~ConfigTest() override;

    // Makes the main window and the options dialog and shows the main window.
    qm::TForm1& Start(const std::string& firstArgument = "");
    qm::TForm1& Form() { return *form_; }
    qm::TForm3& Options() { return *options_; }

    std::string IniPath() const { return qm::IniFilePath(dir.Path()); }
    std::string TemplatePath() const { return qm::TemplateFilePath(dir.Path()); }
    // Sends a menu or tool bar command as the menu does.
    void Command(int id);

    TempDir dir;
    ScriptedDialogs dialogs;

private:
    std::string oldCurrentDir_;
    std::unique_ptr<qm::TForm1> form_;
    std::unique_ptr<qm::TForm3> options_;
};

// The cells of the characters of `part` (its first occurrence) in an editor.
RECT TextRect(qm::TColorMemo& memo, const std::string& part);
// Pixels of `color` over `part` in the editor as it shows now.
int ColourOver(qm::TColorMemo& memo, const std::string& part, qm::TColor color);
// Lets a window paint and handles what is waiting.
void Settle(HWND window);

}  // namespace qmtest
