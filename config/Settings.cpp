// The configuration applied to the main window: LoadSettings, and the
// editor settings it shares with the options dialog.
#include "app/DocumentFile.h"
#include "app/MainForm.h"
#include "config/EditorSettings.h"
#include "config/IniValues.h"
#include "resources/resource.h"
#include "ui/WaitCursor.h"

namespace qm {

void SetRuleColors(TColorMemo& memo, TColor tags, TColor quoted, TColor comments) {
    TDrawRules& rules = memo.ColorRules();
    rules.Items(0).DefKeyColor = tags;
    rules.Items(1).DefKeyColor = quoted;
    rules.Items(2).DefKeyColor = comments;
    // The key tables hold the colours they were prepared with. A hidden
    // editor does not paint when repainted, and would show the old colours
    // at its first paint after being shown if that paint did not prepare.
    rules.PrepareNeeded = true;
}

void ApplyEditorSettings(const TIniFile& ini, TColorMemo& memo) {
    using namespace ini;
    SetRuleColors(memo, static_cast<TColor>(ini.ReadInt(kMemo, kTagColor, kDefaultTagColor)),
                  static_cast<TColor>(ini.ReadInt(kMemo, kFileColor, kDefaultFileColor)),
                  static_cast<TColor>(ini.ReadInt(kMemo, kComColor, kDefaultComColor)));
    TFont font = memo.Font();
    font.Name = ini.ReadText(kMemo, kFont, kDefaultFont);
    SetFontSize(font, ini.ReadInt(kMemo, kSize, kDefaultSize));
    memo.SetFont(font);
}

void RepaintTwice(TColorMemo& memo) {
    for (int i = 0; i < 2; ++i) {
        RedrawWindow(memo.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void TForm1::LoadSettings(bool applyToOpenEditors) {
    using namespace ini;
    // The prototype, which new documents copy; it is not repainted.
    ApplyEditorSettings(*IniFile, *ColorMemo1);
    if (applyToOpenEditors) {
        // A new font makes the native control lay out every line again.
        WaitCursor wait;
        for (TColorMemo* editor : EditorList) {
            ApplyEditorSettings(*IniFile, *editor);
            RepaintTwice(*editor);
        }
    }
    // The programs' commands work only for a program file that exists.
    ToolBar1.SetEnabled(ID_TB_FTP, FileExistsAt(IniFile->ReadText(kApps, kFtp, "")));
    ToolBar1.SetEnabled(ID_TB_BROWSER, FileExistsAt(IniFile->ReadText(kApps, kBrowser, "")));
    EnableMenuItem(MainMenu1, ID_RUN_FTP, MF_BYCOMMAND | (ToolBar1.IsEnabled(ID_TB_FTP) ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(MainMenu1, ID_RUN_BROWSER,
                   MF_BYCOMMAND | (ToolBar1.IsEnabled(ID_TB_BROWSER) ? MF_ENABLED : MF_GRAYED));
    TempStart = IniFile->ReadFlag(kMemo, kTempStart, kDefaultTempStart);
    UseTemp = IniFile->ReadFlag(kMemo, kUseTemp, kDefaultUseTemp);
}

}  // namespace qm
