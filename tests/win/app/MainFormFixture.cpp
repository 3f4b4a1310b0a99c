#include "MainFormFixture.h"

#include "ui/WideText.h"

namespace qmtest {

MainFormTest::MainFormTest() {
    wchar_t current[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, current);
    oldCurrentDir_ = current;
    SetCurrentDirectoryW(qm::Widen(dir.Path()).c_str());
}

MainFormTest::~MainFormTest() {
    form_.reset();
    PumpMessages();
    SetCurrentDirectoryW(oldCurrentDir_.c_str());
}

qm::TForm1& MainFormTest::Start(const std::string& firstArgument) {
    Make(firstArgument);
    return Show();
}

qm::TForm1& MainFormTest::Make(const std::string& firstArgument) {
    form_ = std::make_unique<qm::TForm1>(firstArgument);
    return *form_;
}

qm::TForm1& MainFormTest::Show() {
    form_->Show(SW_SHOWNOACTIVATE);
    PumpMessages();
    return *form_;
}

void MainFormTest::Type(const std::string& text) {
    HWND editor = form_->CurrentEditor().Handle();
    for (char c : text) SendMessageA(editor, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void MainFormTest::Command(int id) { SendMessageA(form_->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0); }

std::string MainFormTest::TabNames() const {
    std::string names;
    for (int i = 0; i < form_->TN1.Tabs().Count(); ++i) {
        if (i) names += "|";
        names += form_->TN1.Tabs().Tab(i);
    }
    return names;
}

}  // namespace qmtest
