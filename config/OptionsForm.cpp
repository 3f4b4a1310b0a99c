#include "config/OptionsForm.h"

#include <commctrl.h>
#include <uxtheme.h>

#include <algorithm>

#include "app/DocumentFile.h"
#include "app/DocumentText.h"
#include "app/MainForm.h"
#include "config/EditorSettings.h"
#include "config/IniValues.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/SystemError.h"
#include "ui/Utf.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr int kOuterWidth = 409;
constexpr int kOuterHeight = 309;
// Posted to the dialog when it has become active: it fills itself then,
// once the activation is over.
constexpr UINT kFillMessage = WM_APP + 0x5200;
// Posted when the sample has got the focus.
constexpr UINT kSampleFocusMessage = WM_APP + 0x5201;

const int kColorFontControls[] = {IDC_OPT_SAMPLE, IDC_OPT_FONT, IDC_OPT_TAGCOLOR, IDC_OPT_COMCOLOR,
                                  IDC_OPT_QUOTECOLOR};
const int kTemplateControls[] = {IDC_OPT_TEMPLATE, IDC_OPT_USETEMP_LABEL, IDC_OPT_USETEMP, IDC_OPT_TEMPSTART_LABEL,
                                 IDC_OPT_TEMPSTART};
// The texts that lie on the pages without a background of their own.
const int kPageLabels[] = {IDC_OPT_USETEMP_LABEL, IDC_OPT_USETEMP, IDC_OPT_TEMPSTART_LABEL, IDC_OPT_TEMPSTART,
                           IDC_OPT_FTP_LABEL, IDC_OPT_BROWSER_LABEL};
const int kAppsControls[] = {IDC_OPT_FTP_LABEL,     IDC_OPT_FTP,     IDC_OPT_FTP_BROWSE,
                             IDC_OPT_BROWSER_LABEL, IDC_OPT_BROWSER, IDC_OPT_BROWSER_BROWSE};

// The sample's rules, in the roles of the document editors' three: tags,
// quoted text (ZOrder 1), comments (ZOrder 1); no keyword lists.
void AddSampleRules(TDrawRules& rules) {
    rules.Add().SetKeyBegEndLst({u"<;>"});
    TColorRule& quoted = rules.Add();
    quoted.SetKeyBegEndLst({u"\";\""});
    quoted.ZOrder = 1;
    TColorRule& comments = rules.Add();
    comments.SetKeyBegEndLst({u"<!--;-->"});
    comments.ZOrder = 1;
}

bool Checked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// The reason of a file error whose message starts with `prefix`.
std::string ReasonAfter(const std::string& message, const std::string& prefix) {
    if (message.compare(0, prefix.size(), prefix) == 0) {
        std::string reason = message.substr(prefix.size());
        if (reason.compare(0, 2, ": ") == 0) reason.erase(0, 2);
        return reason;
    }
    return message;
}

}  // namespace

TForm3::TForm3(TForm1& main) : main_(main) { CreateFromTemplate(main.Handle(), IDD_OPTIONS); }

TForm3::~TForm3() = default;

void TForm3::Created() {
    RECT area;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    SetWindowPos(Handle(), nullptr, area.left + (area.right - area.left - kOuterWidth) / 2,
                 area.top + (area.bottom - area.top - kOuterHeight) / 2, kOuterWidth, kOuterHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE);

    HWND tabs = Item(IDC_OPT_TABS);
    int index = 0;
    for (const wchar_t* caption : {L"Color/Font", L"Template", L"Apps"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(caption);
        if (SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index++), reinterpret_cast<LPARAM>(&item)) < 0) {
            throw Error("Cannot make the options notebook.");
        }
    }
    CreateSample();
    // Typed text may be long; the template is not capped at the control's default.
    SendMessageW(Memo1(), EM_SETLIMITTEXT, 0, 0);
    SetPageIndex(TemplatePage);
}

// The sample editor takes the place of its placeholder, also in the order
// Tab visits the controls.
void TForm3::CreateSample() {
    HWND placeholder = Item(IDC_OPT_SAMPLE);
    RECT bounds;
    GetWindowRect(placeholder, &bounds);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    SetWindowLongPtrW(placeholder, GWLP_ID, 0);
    sample_ = std::make_unique<TColorMemo>(Handle(), IDC_OPT_SAMPLE);
    TColorMemo& sample = *sample_;
    sample.SetScrollBars(TScrollStyle::ssBoth);
    sample.SetColor(clWhite);
    AddSampleRules(sample.ColorRules());
    sample.SetBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);
    sample.SetText(Widen(kOptionsSampleText));
    sample.SetModified(false);
    // Return is a new line in the sample, not the Close button.
    SetWindowLongPtrW(sample.Handle(), GWL_STYLE, GetWindowLongPtrW(sample.Handle(), GWL_STYLE) | ES_WANTRETURN);
    SetWindowPos(sample.Handle(), placeholder, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(placeholder);
}

HWND TForm3::Memo1() const { return Item(IDC_OPT_TEMPLATE); }
bool TForm3::UseTempChecked() const { return Checked(Item(IDC_OPT_USETEMP)); }
bool TForm3::CheckBox1Checked() const { return Checked(Item(IDC_OPT_TEMPSTART)); }
std::string TForm3::Edit1Text() const { return ItemText(IDC_OPT_FTP); }
std::string TForm3::Edit2Text() const { return ItemText(IDC_OPT_BROWSER); }

int TForm3::PageIndex() const { return static_cast<int>(SendMessageW(Item(IDC_OPT_TABS), TCM_GETCURSEL, 0, 0)); }

void TForm3::SetPageIndex(int page) {
    SendMessageW(Item(IDC_OPT_TABS), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    ShowPage(page);
}

void TForm3::ShowPage(int page) {
    HWND focused = GetFocus();
    bool focusHidden = false;
    auto show = [&](const int* ids, size_t count, bool visible) {
        for (size_t i = 0; i < count; ++i) {
            HWND control = Item(ids[i]);
            if (!visible && control == focused) focusHidden = true;
            ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
        }
    };
    show(kColorFontControls, std::size(kColorFontControls), page == ColorFontPage);
    show(kTemplateControls, std::size(kTemplateControls), page == TemplatePage);
    show(kAppsControls, std::size(kAppsControls), page == AppsPage);
    // The focus never stays on a control that went out of sight.
    if (focusHidden) SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_OPT_TABS)), TRUE);
}

void TForm3::Show() {
    const bool wasHidden = !Visible();
    TDialogForm::Show();
    if (wasHidden) RequestFill();
}

void TForm3::RequestFill() {
    if (fillPending_) return;
    fillPending_ = true;
    PostMessageW(Handle(), kFillMessage, 0, 0);
}

bool TForm3::IsOtherProgramWindow(HWND window) const {
    if (!window || window == Handle() || !IsWindow(window)) return false;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return false;
    for (HWND owner = GetWindow(window, GW_OWNER); owner; owner = GetWindow(owner, GW_OWNER)) {
        if (owner == Handle()) return false;
    }
    return true;
}

void TForm3::Report(const std::exception& error) {
    // Owned by the dialog, so that the dialog, not the main window, is
    // active again when the box closes.
    const char* what = error.what();
    ShowErrorBox(Handle(), (what && *what) ? what : "Unknown error.");
}

bool TForm3::PageBackground(HWND control, HDC dc, INT_PTR& brush) {
    if (std::find(std::begin(kPageLabels), std::end(kPageLabels), GetDlgCtrlID(control)) == std::end(kPageLabels)) {
        return false;
    }
    // Unthemed, the page is the dialog's own colour.
    const HWND tabs = Item(IDC_OPT_TABS);
    if (!IsAppThemed() || !GetWindowTheme(tabs)) return false;
    if (!pageBrush_) MakePageBrush(tabs);
    if (!pageBrush_) return false;
    // The picture's corner lies at the notebook's corner.
    POINT corner{0, 0};
    MapWindowPoints(tabs, control, &corner, 1);
    SetBrushOrgEx(dc, corner.x, corner.y, nullptr);
    SetBkMode(dc, TRANSPARENT);
    brush = reinterpret_cast<INT_PTR>(pageBrush_.Get());
    return true;
}

// A brush that repeats the notebook's client area as it paints itself:
// laid with its corner at the notebook's, it gives every label the page
// background that lies under it (plain, or a themed page's gradient).
void TForm3::MakePageBrush(HWND tabs) {
    RECT client{};
    if (!GetClientRect(tabs, &client) || client.right <= 0 || client.bottom <= 0) return;
    WindowDC screen(tabs);
    if (!screen) return;
    MemoryDC memory(screen.Get());
    Bitmap picture(CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
    if (!memory || !picture) return;
    {
        SelectedObject selected(memory.Get(), picture.Get());
        SendMessageW(tabs, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    }
    pageBrush_.Reset(CreatePatternBrush(picture.Get()));
    if (pageBrush_) pagePicture_ = std::move(picture);
}

void TForm3::FormActivate() {
    using namespace ini;
    const TIniFile& file = *main_.IniFile;
    TColorMemo& sample = ColorMemo1();
    SetRuleColors(sample, static_cast<TColor>(file.ReadInt(kMemo, "Tagcolor", kDefaultTagColor)),
                  static_cast<TColor>(file.ReadInt(kMemo, kFileColor, kDefaultFileColor)),
                  static_cast<TColor>(file.ReadInt(kMemo, kComColor, kDefaultComColor)));
    InvalidateRect(sample.Handle(), nullptr, TRUE);
    SetChecked(Item(IDC_OPT_USETEMP), file.ReadFlag(kMemo, kUseTemp, kDefaultUseTemp));
    SetChecked(Item(IDC_OPT_TEMPSTART), file.ReadFlag(kMemo, kTempStart, kDefaultTempStart));
    SetItemText(IDC_OPT_FTP, file.ReadText(kApps, kFtp, ""));
    SetItemText(IDC_OPT_BROWSER, file.ReadText(kApps, kBrowser, ""));
    TFont font = sample.Font();
    SetFontSize(font, file.ReadInt(kMemo, kSize, kDefaultSize));
    font.Name = file.ReadText(kMemo, kFont, kDefaultFont);
    sample.SetFont(font);

    const std::string path = TemplateFilePath(main_.ConfigDir);
    if (!FileExistsAt(path)) {
        templateFormat_ = kNewDocumentFormat;
        ShowMessage(Handle(), "Couldn`t find: " + path);
        return;
    }
    TDecodedText decoded;
    try {
        decoded = ReadDocumentFile(path);
    } catch (const Error& error) {
        throw Error("Cannot open file " + path + "\n" + ReasonAfter(error.what(), "Cannot open " + path));
    }
    if (!SetWindowTextW(Memo1(), std::wstring(AsWide(decoded.Text)).c_str())) {
        ThrowLastError("Cannot show the template " + path);
    }
    templateFormat_ = decoded.Format;
}

void TForm3::Button1Click() {
    using namespace ini;
    TIniFile& file = *main_.IniFile;
    const TColorMemo& sample = ColorMemo1();
    const TDrawRules& rules = sample.ColorRules();
    // All nine or none: a write refused midway leaves the file as it was.
    TIniUpdate update(file);
    file.WriteInt(kMemo, kTagColor, static_cast<int32_t>(rules.Items(0).DefKeyColor));
    file.WriteInt(kMemo, kFileColor, static_cast<int32_t>(rules.Items(1).DefKeyColor));
    file.WriteInt(kMemo, kComColor, static_cast<int32_t>(rules.Items(2).DefKeyColor));
    file.WriteFlag(kMemo, kUseTemp, UseTempChecked());
    file.WriteFlag(kMemo, kTempStart, CheckBox1Checked());
    file.WriteText(kApps, kFtp, Edit1Text());
    file.WriteText(kApps, kBrowser, Edit2Text());
    file.WriteText(kMemo, kFont, sample.Font().Name);
    file.WriteInt(kMemo, kSize, FontSize(sample.Font()));
    update.Commit();

    main_.LoadSettings(true);

    const std::string path = TemplateFilePath(main_.ConfigDir);
    if (!FileExistsAt(path)) {
        ShowMessage(Handle(), "Since the " + path + " is missing, Quillmere will make it for you :)");
    }
    // Every line followed by a line break, in the template's encoding and
    // style; the old file stays whole until the new one has been written.
    std::u16string text = Utf8ToUtf16(ItemText(IDC_OPT_TEMPLATE));
    if (!text.empty() && text.back() != u'\n' && text.back() != u'\r') text += u"\r\n";
    TTextFormat format = templateFormat_;
    std::string bytes;
    if (!EncodeDocument(text, format, SystemAnsiCodec(), bytes)) {
        // A character ANSI lacks: the template becomes UTF-8, which keeps them all.
        format.Encoding = TEncoding::Utf8;
        if (!EncodeDocument(text, format, SystemAnsiCodec(), bytes)) {
            throw Error("Cannot create file " + path +
                        "\nthe text holds half of a character (an unpaired UTF-16 surrogate).");
        }
    }
    try {
        SaveDocumentFile(path, bytes);
    } catch (const Error& error) {
        throw Error("Cannot create file " + path + "\n" + ReasonAfter(error.what(), "Cannot save " + path));
    }
    templateFormat_ = format;
    Hide();
}

void TForm3::ChooseRuleColor(int rule) {
    if (ColorDialog1.Execute(Handle())) {
        TColorMemo& sample = ColorMemo1();
        sample.ColorRules().Items(rule).DefKeyColor = ColorDialog1.Color;
    }
    RepaintTwice(ColorMemo1());
}

void TForm3::Button2Click() { ChooseRuleColor(0); }
void TForm3::Button3Click() { ChooseRuleColor(2); }
void TForm3::Button4Click() { ChooseRuleColor(1); }

void TForm3::Button7Click() {
    if (!FontDialog1.Execute(Handle())) return;
    TColorMemo& sample = ColorMemo1();
    TFont font = sample.Font();
    font.Name = FontDialog1.Font.Name;
    font.Height = FontDialog1.Font.Height;
    sample.SetFont(font);
}

void TForm3::Browse(int fieldId) {
    if (OpenDialog1.Execute(Handle())) SetItemText(fieldId, OpenDialog1.FileName);
}

void TForm3::Button5Click() { Browse(IDC_OPT_FTP); }
void TForm3::Button6Click() { Browse(IDC_OPT_BROWSER); }

void TForm3::Command(int id) {
    switch (id) {
    case IDC_OPT_CLOSE: Button1Click(); break;
    case IDC_OPT_TAGCOLOR: Button2Click(); break;
    case IDC_OPT_COMCOLOR: Button3Click(); break;
    case IDC_OPT_QUOTECOLOR: Button4Click(); break;
    case IDC_OPT_FONT: Button7Click(); break;
    case IDC_OPT_FTP_BROWSE: Button5Click(); break;
    case IDC_OPT_BROWSER_BROWSE: Button6Click(); break;
    default: break;
    }
}

bool TForm3::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_COMMAND:
        // The dialog selects all of an edit control's text when the focus
        // comes to it by keyboard; in the sample that would hide the
        // colours, which are what it is there for.
        if (sample_ && reinterpret_cast<HWND>(lParam) == sample_->Handle() && HIWORD(wParam) == EN_SETFOCUS) {
            PostMessageW(Handle(), kSampleFocusMessage, 0, 0);
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) != IDCANCEL) {
            try {
                Command(LOWORD(wParam));
            } catch (const std::exception& error) {
                Report(error);
            }
            return true;
        }
        break;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.idFrom == IDC_OPT_TABS && header.code == TCN_SELCHANGE) {
            ShowPage(PageIndex());
            return true;
        }
        break;
    }
    case WM_CTLCOLORSTATIC:
        return PageBackground(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam), result);
    case WM_THEMECHANGED:
    case WM_SYSCOLORCHANGE:
        pageBrush_.Reset();
        pagePicture_.Reset();
        break;
    case WM_ACTIVATE:
        // From the main window, the print dialog or the about box: fill
        // again. Not when one of the dialog's own boxes closes.
        if (LOWORD(wParam) != WA_INACTIVE && IsOtherProgramWindow(reinterpret_cast<HWND>(lParam))) RequestFill();
        return false;  // the dialog manager puts the focus back where it was
    default:
        if (message == kSampleFocusMessage) {
            // Only the whole text selected, as by the dialog; a click
            // into the sample keeps its caret.
            TColorMemo& sample = ColorMemo1();
            if (sample.SelStart() == 0 && sample.SelLength() > 0 && sample.SelLength() == sample.TextLength()) {
                sample.SetSelection(0, 0);
            }
            return true;
        }
        if (message == kFillMessage) {
            fillPending_ = false;
            try {
                FormActivate();
            } catch (const std::exception& error) {
                Report(error);
            }
            return true;
        }
        break;
    }
    return TDialogForm::HandleMessage(message, wParam, lParam, result);
}

}  // namespace qm
