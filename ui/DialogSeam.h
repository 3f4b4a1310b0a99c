// The one seam through which every modal dialog and message box of the
// program passes. With no script installed the real dialogs run; tests
// install a script that answers them instead and records what was asked.
// Window-free.
#pragma once

#include <string>

namespace qm {

// The system's <commdlg.h> makes ChooseColor a macro for ChooseColorA, so
// that DialogKind::ChooseColor reads as DialogKind::ChooseColorA wherever
// that header came first. The kind is declared under its own name with the
// macro put aside, and under the other name as the same value, so that it
// means one thing in every file whatever was included before.
#pragma push_macro("ChooseColor")
#undef ChooseColor
enum class DialogKind {
    Message,      // plain box: caption "Quillmere", OK
    Confirm,      // caption "Confirm", question icon, Yes / No (/ Cancel)
    Error,        // the central error box
    OpenFile,     // open-file dialog
    SaveFile,     // save-file dialog
    PrinterSetup, // printer set-up dialog
    ShellOpen,    // the shell opens `text` with its default verb (answer ignored)
    ChooseColor,  // colour dialog: request.color is the colour it opens with,
                  // response.color the one chosen (answer Ok)
    InputQuery,   // a prompt for one line: caption, text = the prompt;
                  // response.text the line typed (answer Ok)
    Font,         // font dialog: request.fontName and fontSize (points) are the
                  // font it opens with, the response's the one chosen (answer Ok)
    ChooseColorA = ChooseColor,
};
#pragma pop_macro("ChooseColor")

enum class DialogAnswer { Ok, Yes, No, Cancel };

struct DialogRequest {
    DialogKind kind = DialogKind::Message;
    std::string caption;
    std::string text;        // message text, or the file dialog's initial file name
    bool withCancel = false; // Confirm: a Cancel button is offered
    std::string filter;      // file dialogs: "description|pattern|..."
    int filterIndex = 1;     // file dialogs: the type selected when opened (1-based)
    std::string defaultExt;  // file dialogs
    unsigned color = 0;      // colour dialog: the colour it opens with (a TColor)
    std::string fontName;    // font dialog: the face it opens with
    int fontSize = 0;        // font dialog: the size it opens with, in points
};

struct DialogResponse {
    DialogAnswer answer = DialogAnswer::Cancel;
    std::string fileName;    // file dialogs: the chosen name (answer Ok)
    int filterIndex = 0;     // file dialogs: the type picked (0 = left as it was)
    unsigned color = 0;      // colour dialog: the colour chosen (a TColor)
    std::string text;        // prompt: the line typed
    std::string fontName;    // font dialog: the face chosen
    int fontSize = 0;        // font dialog: the size chosen, in points
};

class DialogScript {
public:
    virtual ~DialogScript() = default;
    virtual DialogResponse Answer(const DialogRequest& request) = 0;
};

// Installs a script (nullptr: real dialogs again). Not owned.
void SetDialogScript(DialogScript* script);
DialogScript* CurrentDialogScript();

}  // namespace qm
