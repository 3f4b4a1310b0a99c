#include "ui/DialogSeam.h"

namespace qm {

namespace {
DialogScript* g_script = nullptr;
}

void SetDialogScript(DialogScript* script) { g_script = script; }
DialogScript* CurrentDialogScript() { return g_script; }

}  // namespace qm
