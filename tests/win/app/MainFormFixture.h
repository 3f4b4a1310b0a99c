// A main window made in the test's own process, in a fresh working folder
// (which becomes ConfigDir), with its dialogs answered by a script.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "app/MainForm.h"

namespace qmtest {

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest();
    ~MainFormTest() override;

    // Makes and shows the main window with this first command-line argument.
    qm::TForm1& Start(const std::string& firstArgument = "");
    // Makes it without showing it (FormShow has not run yet); Show() then
    // shows it as Start does.
    qm::TForm1& Make(const std::string& firstArgument = "");
    qm::TForm1& Show();
    // The window made, shown after a set-up of the test's choice.
    qm::TForm1& Form() { return *form_; }

    // Types characters into the current editor as keyboard input would.
    void Type(const std::string& text);
    // Sends a menu or tool bar command as the menu does, through the window
    // procedure (errors reach the scripted error box).
    void Command(int id);
    // The names of the tabs, joined with "|".
    std::string TabNames() const;
    int TabCount() const { return form_->TN1.Tabs().Count(); }

    TempDir dir;
    ScriptedDialogs dialogs;

private:
    std::wstring oldCurrentDir_;
    std::unique_ptr<qm::TForm1> form_;
};

}  // namespace qmtest
