// The options dialog `TForm3`: the three colours and the font of the editors
// with a coloured sample, the template for new documents and its two
// switches, and the FTP program and web browser. Created once at start-up,
// hidden, shown without being modal by Options. It fills itself from the
// configuration files whenever the user comes to it from another Quillmere
// window; Close stores everything and applies it to the main window.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "app/TextEncoding.h"
#include "editor/ColorMemo.h"
#include "ui/ColorDialog.h"
#include "ui/DialogForm.h"
#include "ui/FileDialog.h"
#include "ui/FontDialog.h"
#include "ui/Gdi.h"

namespace qm {

class TForm1;

// The sample's four lines.
inline constexpr char kOptionsSampleText[] =
    "<HTML><!--this is the HTML-tag-->\r\n<HEAD>\r\n<TITLE>Ordinary text</TITLE>\r\n<IMG SRC=\"my.gif\">";

class TForm3 : public TDialogForm {
public:
    // The notebook's pages.
    enum Page { ColorFontPage = 0, TemplatePage = 1, AppsPage = 2 };

    explicit TForm3(TForm1& main);
    ~TForm3() override;

    // Shows the dialog; a dialog that was hidden fills itself again.
    void Show() override;

    // --- Handlers ------------------------------------------------------
    // Fills every control from the configuration and template files.
    void FormActivate();
    void Button1Click();  // Close: store, apply, write the template, hide
    void Button2Click();  // tag colour (rule 0)
    void Button3Click();  // comment colour (rule 2)
    void Button4Click();  // quoted-text colour (rule 1)
    void Button7Click();  // font face and size
    void Button5Click();  // FTP program
    void Button6Click();  // browser

    // --- Components ----------------------------------------------------
    int PageIndex() const;
    void SetPageIndex(int page);
    TColorMemo& ColorMemo1() { return *sample_; }
    HWND Memo1() const;
    bool UseTempChecked() const;
    bool CheckBox1Checked() const;
    std::string Edit1Text() const;
    std::string Edit2Text() const;
    TColorDialog ColorDialog1;
    TFontDialog FontDialog1;
    TFileDialog OpenDialog1{false};

protected:
    void Created() override;
    bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    void CreateSample();
    void ShowPage(int page);
    void Command(int id);
    void ChooseRuleColor(int rule);
    void Browse(int fieldId);
    // The window being left, when the dialog becomes active, is one of the
    // program's other windows (not one of the dialog's own boxes).
    bool IsOtherProgramWindow(HWND window) const;
    void RequestFill();
    void Report(const std::exception& error);
    // The brush for a label on a themed notebook page: the page's own
    // background under it. False for other controls and unthemed pages.
    bool PageBackground(HWND control, HDC dc, INT_PTR& brush);
    void MakePageBrush(HWND tabs);

    TForm1& main_;
    std::unique_ptr<TColorMemo> sample_;
    bool fillPending_ = false;
    Bitmap pagePicture_;  // the notebook's client area as it paints itself
    Brush pageBrush_;     // made of pagePicture_
    // The encoding and line breaks the template file was read in.
    TTextFormat templateFormat_ = kNewDocumentFormat;
};

}  // namespace qm
