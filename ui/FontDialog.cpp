#include "ui/FontDialog.h"

#include <commdlg.h>

#include <string>

#include "ui/DialogSeam.h"
#include "ui/Errors.h"
#include "ui/WideText.h"

namespace qm {

bool TFontDialog::Execute(HWND owner) {
    if (DialogScript* script = CurrentDialogScript()) {
        DialogRequest request;
        request.kind = DialogKind::Font;
        request.fontName = Font.Name;
        request.fontSize = FontSize(Font);
        const DialogResponse response = script->Answer(request);
        if (response.answer != DialogAnswer::Ok) return false;
        Font.Name = response.fontName;
        SetFontSize(Font, response.fontSize);
        return true;
    }

    LOGFONTW font = LogFont(Font);
    CHOOSEFONTW choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &font;
    choose.rgbColors = ToColorRef(Font.Color);
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontW(&choose)) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) throw Error("The font dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    Font.Name = Narrow(font.lfFaceName);
    Font.Height = font.lfHeight;
    Font.Bold = font.lfWeight >= FW_BOLD;
    Font.Italic = font.lfItalic != 0;
    Font.Underline = font.lfUnderline != 0;
    Font.StrikeOut = font.lfStrikeOut != 0;
    Font.Color = static_cast<TColor>(choose.rgbColors & 0x00FFFFFF);
    return true;
}

}  // namespace qm
