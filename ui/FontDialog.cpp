#include "ui/FontDialog.h"

#include <commdlg.h>

#include <string>

#include "ui/DialogSeam.h"
#include "ui/Errors.h"

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

    LOGFONTA font{};
    font.lfHeight = Font.Height;
    font.lfWeight = Font.Bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = Font.Italic;
    font.lfUnderline = Font.Underline;
    font.lfStrikeOut = Font.StrikeOut;
    font.lfCharSet = DEFAULT_CHARSET;
    Font.Name.copy(font.lfFaceName, LF_FACESIZE - 1);
    CHOOSEFONTA choose{};
    choose.lStructSize = sizeof choose;
    choose.hwndOwner = owner;
    choose.lpLogFont = &font;
    choose.rgbColors = ToColorRef(Font.Color);
    choose.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT;
    if (!ChooseFontA(&choose)) {
        const DWORD error = CommDlgExtendedError();
        if (error != 0) throw Error("The font dialog failed (error " + std::to_string(error) + ").");
        return false;
    }
    Font.Name = font.lfFaceName;
    Font.Height = font.lfHeight;
    Font.Bold = font.lfWeight >= FW_BOLD;
    Font.Italic = font.lfItalic != 0;
    Font.Underline = font.lfUnderline != 0;
    Font.StrikeOut = font.lfStrikeOut != 0;
    Font.Color = static_cast<TColor>(choose.rgbColors & 0x00FFFFFF);
    return true;
}

}  // namespace qm
