// Program entry: the application object, the main window and the three
// secondary windows (hidden), then the message loop.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "config/OptionsForm.h"
#include "printing/PrintForm.h"
#include "ui/Application.h"
#include "ui/WideText.h"

namespace {

// The first command-line argument in UTF-8, "" when there is none: the
// wide command line, so that a name in any script arrives whole.
std::string FirstArgument() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return {};
    const std::string first = count > 1 ? qm::Narrow(arguments[1]) : std::string();
    LocalFree(arguments);
    return first;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    qm::TApplication& application = qm::Application();
    application.SetTitle("Quillmere");
    try {
        // Only the first argument is looked at.
        qm::TForm1 form1(FirstArgument());
        qm::TForm5 form5(form1.Handle());
        qm::TForm2 form2(form1);
        qm::TForm3 form3(form1);
        form1.SetSecondaryForms(&form5, &form2, &form3);
        form1.Show(showCommand);
        return application.Run();
    } catch (const std::exception& error) {
        application.HandleException(error);
        return 1;
    }
}
