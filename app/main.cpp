// Program entry: the application object, the main window and the three
// secondary windows (hidden), then the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "app/AboutForm.h"
#include "app/MainForm.h"
#include "config/OptionsForm.h"
#include "printing/PrintForm.h"
#include "ui/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    qm::TApplication& application = qm::Application();
    application.SetTitle("Quillmere");
    try {
        // Only the first argument is looked at.
        const std::string firstArgument = __argc > 1 && __argv[1] ? __argv[1] : "";
        qm::TForm1 form1(firstArgument);
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
