#include "ui/ColorDialog.h"

#include <commdlg.h>

#include <string>

#include "ui/DialogSeam.h"
#include "ui/Errors.h"
#include "ui/Font.h"

namespace qm {

bool TColorDialog::Execute(HWND owner) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::ChooseColor;
        request.color = Color;
        const DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok) return false;
        Color = response.color;
        return true;
    }

    // Unused custom slots start white, as the system's own dialog has them.
    for (COLORREF& custom : customColors_) {
        if (custom == 0) custom = RGB(255, 255, 255);
    }
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.rgbResult = ToColorRef(Color);
    choose.lpCustColors = customColors_;
    choose.Flags = CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&choose)) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) throw Error("The colour dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    Color = static_cast<TColor>(choose.rgbResult & 0x00FFFFFF);
    return true;
}

}  // namespace qm
