// The main window: start-up, layout, menus, tool bar, status bar and timers.
// The document operations are in MainFormDocuments.cpp.
#include "app/MainForm.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/HtmlColorRules.h"
#include "app/PathUtil.h"
#include "config/IniValues.h"
#include "printing/Printers.h"
#include "resources/resource.h"
#include "ui/Application.h"
#include "ui/Errors.h"
#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr int kDesignWidth = 543;
constexpr int kDesignHeight = 384;
constexpr int kMinWidth = 250;
constexpr int kMinHeight = 200;
constexpr UINT kOfferRecoveryMessage = WM_APP + 40;

// Tool bar buttons, left to right, with their glyphs in toolbar.bmp.
std::vector<TToolButton> MainToolButtons() {
    using B = TToolButton;
    return {
        {B::Separator, 0, -1, ""},
        {B::Button, ID_FILE_NEW, 0, "New"},
        {B::Button, ID_FILE_OPEN, 1, "Open"},
        {B::Button, ID_FILE_SAVE, 2, "Save"},
        {B::Button, ID_FILE_PRINT, 3, "Print"},
        {B::Separator, 0, -1, ""},
        {B::Button, ID_EDIT_CUT, 4, "Cut"},
        {B::Button, ID_EDIT_COPY, 5, "Copy"},
        {B::Button, ID_EDIT_PASTE, 6, "Paste"},
        {B::Separator, 0, -1, ""},
        {B::DropDown, ID_TB_TAGS, 7, "Tags"},
        {B::Button, ID_TB_COLORS, 8, "Colors"},
        {B::Button, ID_TB_FILENAME, 9, "Get filename"},
        {B::Button, ID_TB_COMMENT, 10, "Make a comment"},
        {B::Separator, 0, -1, ""},
        {B::Button, ID_TB_FTP, 11, "Start FTP"},
        {B::Button, ID_TB_BROWSER, 12, "Look how the page look in your browser..."},
        {B::Separator, 0, -1, ""},
        {B::Button, ID_TB_OPTIONS, 13, "Options"},
        {B::Button, ID_FILE_EXIT, 14, "Exit"},
    };
}

HMENU LoadSubMenu(int id) {
    HMENU bar = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id));
    if (!bar) ThrowLastError("Cannot load a menu");
    HMENU sub = GetSubMenu(bar, 0);
    // The popup outlives its bar: take it out before the bar goes.
    RemoveMenu(bar, 0, MF_BYPOSITION);
    DestroyMenu(bar);
    return sub;
}

void EnableItem(HMENU menu, UINT id, bool enabled) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

}  // namespace

TForm1::TForm1(std::string firstArgument) : firstArgument_(std::move(firstArgument)) {
    gdiFont_ = CreateGdiFont(font_);
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_QUILLMERE));
    const DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    // Centred on the screen.
    const int x = (GetSystemMetrics(SM_CXSCREEN) - kDesignWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - kDesignHeight) / 2;
    CreateWindowOfClass("QuillmereMain", "Quillmere", style, 0, x, y, kDesignWidth, kDesignHeight, nullptr,
                        nullptr, icon);
    Application().SetMainWindow(Handle());
    GradientCaption1 = std::make_unique<TGradientCaption>(Handle());
    ConfigureProgramCaption(*GradientCaption1, "Quillmere");
    CreateComponents();
    FormCreate();
}

TForm1::~TForm1() {
    Timer1.SetEnabled(false);
    Timer2.SetEnabled(false);
    JournalTimer.SetEnabled(false);
    ownedEditors_.clear();
    ColorMemo1.reset();
    if (PopupMenu1) DestroyMenu(PopupMenu1);
    if (PopupMenu2) DestroyMenu(PopupMenu2);
    if (Application().MainWindow() == Handle()) Application().SetMainWindow(nullptr);
}

void TForm1::SetSecondaryForms(TForm5* about, TForm2* print, TForm3* options) {
    form5_ = about;
    form2_ = print;
    form3_ = options;
}

void TForm1::CreateComponents() {
    MainMenu1 = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_MAINMENU));
    if (!MainMenu1 || !SetMenu(Handle(), MainMenu1)) ThrowLastError("Cannot set up the main menu");
    PopupMenu1 = LoadSubMenu(IDM_TABMENU);
    PopupMenu2 = LoadSubMenu(IDM_EDITORMENU);

    ToolBar1.BottomEdge = true;
    ToolBar1.Create(Handle(), IDW_TOOLBAR, IDB_TOOLBAR, MainToolButtons());
    ToolBar1.OnDropDown = [this](int, RECT rect) { ShowTagsMenu(rect); };

    RECT client;
    GetClientRect(Handle(), &client);
    TN1.Create(Handle(), IDW_TABSTRIP, 0, 32, client.right, 21, gdiFont_.Get());
    // The design's placeholder tab, removed when the window is shown.
    TN1.Tabs().Reset({"Untitled"}, 0);
    TN1.Tabs().OnChange = [this](int index, bool& allow) { TN1Change(index, allow); };
    TN1.Tabs().OnClick = [this] { TN1Click(); };
    TN1.OnContextMenu = [this](POINT point) { ShowTabMenu(point); };

    ColorMemo1 = std::make_unique<TColorMemo>(Handle(), IDW_PROTOTYPE);
    ColorMemo1->SetBounds(8, 56, 521, 257);
    ColorMemo1->SetColor(clGray);
    TFont memoFont = font_;
    memoFont.Color = clMaroon;
    ColorMemo1->SetFont(memoFont);
    ColorMemo1->SetReadOnly(true);
    ColorMemo1->SetScrollBars(TScrollStyle::ssBoth);
    ColorMemo1->SetWordWrap(false);
    ColorMemo1->SetRedrawAlways(true);
    ColorMemo1->SetPopupMenu(PopupMenu2, Handle());
    ColorMemo1->SetText(Widen(kNoFileText));
    // Tags, quoted values and comments; the configured colours replace these.
    AddHtmlColorRules(ColorMemo1->ColorRules());

    // Printer, path, the encoding and line breaks of the document, and where its caret is.
    StatusBar1.Create(Handle(), IDW_STATUSBAR, 19, {50, TStatusBar::kRestOfBar, 110, 100}, gdiFont_.Get());

    OpenDialog1.Filter = "Html-files (*.htm)|*.htm|Html-files (*.html)|*.html|All files (*.*)|*.*";
    SaveDialog1.Filter = "HTML-files (*.htm)|*.htm|HTML-files (*.html)|*.html";
    SaveDialog1.DefaultExt = "htm";
    SaveDialog1.FilterIndex = 1;
    SaveDialog1.OnTypeChange = [this] { SaveDialog1TypeChange(); };

    CreateEditingComponents();
    CreateKeyboardComponents();
    Timer1.OnTimer = [this] { Timer1Timer(); };
    Timer2.OnTimer = [this] { Timer2Timer(); };
    LayOut();
}

void TForm1::FormCreate() {
    wchar_t current[MAX_PATH * 4];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, current);
    if (length == 0 || length >= MAX_PATH * 4) ThrowLastError("Cannot read the current folder");
    ConfigDir = ConfigDirFromCurrentDir(Narrow(current));
    IniFile = std::make_unique<TIniFile>(IniFilePath(ConfigDir));
    Closing = false;
    LoadSettings(false);
    StartRecoveryJournal();
    DragAcceptFiles(Handle(), TRUE);
}

void TForm1::Show(int showCommand) {
    if (!shown_) {
        shown_ = true;
        FormShow();
    }
    ShowWindow(Handle(), showCommand);
    UpdateWindow(Handle());
}

void TForm1::FormShow() {
    EditorList.clear();
    FileNameList.clear();
    ListsCreated = true;

    std::string argumentPath;
    if (!firstArgument_.empty()) {
        argumentPath = CommandLineDocumentPath(ConfigDir, firstArgument_);
        if (!DocumentFileExists(argumentPath)) argumentPath.clear();
    }
    // A template or file that cannot be read is reported, and start-up goes
    // on: the placeholder tab must go and the commands must be switched.
    if (argumentPath.empty() && TempStart) {
        try {
            NewRE(std::string(kUntitled), true);
            FileNameList.emplace_back(kUntitled);
        } catch (const std::exception& error) {
            Application().HandleException(error);
        }
    }
    TN1.Tabs().Remove(0);  // the design's placeholder tab
    TN1Click();
    if (!argumentPath.empty()) {
        try {
            OpenFile(argumentPath);
        } catch (const std::exception& error) {
            Application().HandleException(error);
        }
    }
    if (TN1.Tabs().Count() == 0) EnableDocumentCommands(false);
    // Asked once the window shows.
    PostMessageW(Handle(), kOfferRecoveryMessage, 0, 0);
}

void TForm1::FormResize() {
    RECT outer;
    GetWindowRect(Handle(), &outer);
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    if (width < kMinWidth || height < kMinHeight) {
        SetWindowPos(Handle(), nullptr, 0, 0, width < kMinWidth ? kMinWidth : width,
                     height < kMinHeight ? kMinHeight : height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;  // the new size comes back through WM_SIZE
    }
    LayOut();
}

void TForm1::LayOut() {
    RECT client;
    GetClientRect(Handle(), &client);
    SendMessageW(ToolBar1.Handle(), TB_AUTOSIZE, 0, 0);
    StatusBar1.Resized();
    SetWindowPos(TN1.Handle(), nullptr, 0, 32, client.right, 21, SWP_NOZORDER | SWP_NOACTIVATE);
    Bevel1.right = Bevel1.left + client.right - 2;
    Bevel1.bottom = Bevel1.top + client.bottom - 75;
    const int memoWidth = (Bevel1.right - Bevel1.left) - 13;
    const int memoHeight = (Bevel1.bottom - Bevel1.top) - 13;
    ColorMemo1->SetBounds(8, 56, memoWidth, memoHeight);
    if (!Closing && ListsCreated) {
        for (TColorMemo* editor : EditorList) {
            editor->SetBounds(ColorMemo1->Left(), ColorMemo1->Top(), ColorMemo1->Width(), ColorMemo1->Height());
        }
    }
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TForm1::FormClose(bool& allowClose) {
    Closeall1Click();
    if (CloseCancelled) {
        allowClose = false;
        return;
    }
    Closing = true;
    EditorList.clear();
    allowClose = true;
}

void TForm1::FormDestroy() {
    IniFile.reset();
    // A normal end: nothing is left to recover.
    JournalTimer.SetEnabled(false);
    journal_.reset();
}

void TForm1::Exit1Click() { SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TForm1::EnableDocumentCommands(bool enabled) {
    for (UINT id : {ID_FILE_SAVE, ID_FILE_SAVEAS, ID_FILE_PRINT, ID_FILE_CLOSE, ID_FILE_CLOSEALL, ID_EDIT_REPAINT}) {
        EnableItem(MainMenu1, id, enabled);
    }
    EnableMenuItem(MainMenu1, 1, MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));  // the whole Edit menu
    EnableMenuItem(GetSubMenu(MainMenu1, 0), kEncodingMenuPosition,
                   MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    DrawMenuBar(Handle());
    for (UINT id : {ID_TAB_SAVE, ID_TAB_SAVEAS, ID_TAB_PRINT, ID_TAB_CLOSE, ID_TAB_CLOSEALL}) {
        EnableItem(PopupMenu1, id, enabled);
    }
    for (int id : {ID_FILE_SAVE, ID_EDIT_COPY, ID_EDIT_CUT, ID_EDIT_PASTE, ID_FILE_PRINT, ID_TB_TAGS, ID_TB_COLORS,
                   ID_TB_FILENAME}) {
        ToolBar1.SetEnabled(id, enabled);
    }
    if (!enabled) {  // nothing left to search
        FindDialog1.CloseDialog();
        ReplaceDialog1.CloseDialog();
    }
    ColorMemo1->SetPopupEnabled(enabled);
    for (TColorMemo* editor : EditorList) editor->SetPopupEnabled(enabled);
}

void TForm1::Timer1Timer() {
    const int index = CurrentIndex();
    if (TN1.Tabs().Count() > 0 && index >= 0 && index < static_cast<int>(FileNameList.size())) {
        StatusBar1.SetPanelText(1, FileNameList[static_cast<size_t>(index)]);
    } else {
        StatusBar1.SetPanelText(1, kNoFileText);
    }
    ShowDocumentFormat();
    StatusBar1.SetPanelWidth(0, 150);
    const std::string printer = CurrentPrinterName();
    StatusBar1.SetPanelText(0, printer.empty() ? kNoPrinterText : printer);
    if (form2_) form2_->SetPrinterLabel(StatusBar1.PanelText(0));
    Timer1.SetEnabled(false);
}

void TForm1::Timer2Timer() {
    const int index = CurrentIndex();
    if (index < 0 || index >= static_cast<int>(EditorList.size()) ||
        index >= static_cast<int>(FileNameList.size())) {
        return;
    }
    FileSaved = DocumentFileExists(FileNameList[static_cast<size_t>(index)]) &&
                !EditorList[static_cast<size_t>(index)]->Modified();
}

void TForm1::ShowDocumentFormat() {
    const int index = CurrentIndex();
    const bool open = TN1.Tabs().Count() > 0 && index >= 0 && index < static_cast<int>(EditorList.size());
    StatusBar1.SetPanelText(2, open ? FormatName(DocumentFormat(*EditorList[static_cast<size_t>(index)])) : "");
}

void TForm1::CheckEncodingItem(HMENU encodingMenu) {
    const int index = CurrentIndex();
    if (index < 0 || index >= static_cast<int>(EditorList.size())) return;
    const TEncoding current = DocumentFormat(*EditorList[static_cast<size_t>(index)]).Encoding;
    for (size_t i = 0; i < std::size(kEncodings); ++i) {
        if (kEncodings[i] != current) continue;
        const UINT id = ID_ENCODING_ANSI + static_cast<UINT>(i);
        CheckMenuRadioItem(encodingMenu, ID_ENCODING_ANSI, ID_ENCODING_UTF16BE, id, MF_BYCOMMAND);
    }
}

void TForm1::PrinterSetup1Click() {
    RunPrinterSetupDialog(Handle());
    PrinterSetupDialog1Close();
}

void TForm1::PrinterSetupDialog1Close() { Timer1.SetEnabled(true); }

void TForm1::About1Click() {
    if (form5_) form5_->Show();
}

void TForm1::Options1Click() {
    if (form3_) form3_->Show();
}

void TForm1::ShowTabMenu(POINT screenPoint) {
    TrackPopupMenu(PopupMenu1, TPM_LEFTALIGN | TPM_RIGHTBUTTON, screenPoint.x, screenPoint.y, 0, Handle(), nullptr);
}

void TForm1::ShowTagsMenu(RECT buttonRect) {
    TPMPARAMS params{sizeof params, buttonRect};
    TrackPopupMenuEx(PopupMenu2, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL, buttonRect.left, buttonRect.bottom,
                     Handle(), &params);
}

void TForm1::Command(int id) {
    switch (id) {
    case ID_FILE_NEW: New1Click(); break;
    case ID_FILE_OPEN: case ID_TAB_OPEN: Open1Click(); break;
    case ID_FILE_SAVE: case ID_TAB_SAVE: Save1Click(); break;
    case ID_FILE_SAVEAS: case ID_TAB_SAVEAS: SaveAs1Click(); break;
    case ID_FILE_PRINTSETUP: PrinterSetup1Click(); break;
    case ID_FILE_PRINT: case ID_TAB_PRINT: Print1Click(); break;
    case ID_FILE_CLOSE: case ID_TAB_CLOSE: Close1Click(); break;
    case ID_FILE_CLOSEALL: case ID_TAB_CLOSEALL: Closeall1Click(); break;
    case ID_FILE_EXIT: case ID_TAB_EXIT: Exit1Click(); break;
    case ID_OPTIONS: case ID_TB_OPTIONS: Options1Click(); break;
    case ID_ABOUT: About1Click(); break;
    case ID_TB_TAGS: {
        RECT rect{};
        SendMessageW(ToolBar1.Handle(), TB_GETRECT, ID_TB_TAGS, reinterpret_cast<LPARAM>(&rect));
        MapWindowPoints(ToolBar1.Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
        ShowTagsMenu(rect);
        break;
    }
    default:
        if (id >= ID_ENCODING_ANSI && id <= ID_ENCODING_UTF16BE) {
            ChooseEncoding(kEncodings[id - ID_ENCODING_ANSI]);
        } else {
            EditingCommand(id);
        }
        break;
    }
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (EditingMessage(message, wParam, lParam)) return 0;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 1 && lParam == 0 && !ShortcutEnabled(LOWORD(wParam))) return 0;  // a shortcut key
        if (lParam == 0 || reinterpret_cast<HWND>(lParam) == ToolBar1.Handle()) Command(LOWORD(wParam));
        return 0;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (TN1.HandleNotify(header, result) || ToolBar1.HandleNotify(header, result)) return result;
        break;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) FormResize();
        return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = kMinWidth;
        info->ptMinTrackSize.y = kMinHeight;
        return 0;
    }
    case WM_PAINT: {
        PaintDC dc(Handle());
        RECT bevel = Bevel1;
        DrawEdge(dc.Get(), &bevel, BDR_RAISEDINNER, BF_RECT);
        return 0;
    }
    case WM_INITMENUPOPUP:
        if (reinterpret_cast<HMENU>(wParam) == GetSubMenu(GetSubMenu(MainMenu1, 0), kEncodingMenuPosition)) {
            CheckEncodingItem(reinterpret_cast<HMENU>(wParam));
        }
        break;
    case kOfferRecoveryMessage:
        OfferRecovery();
        return 0;
    case WM_DROPFILES:
        WMDropFiles(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_QUERYENDSESSION:
        // Log-off or shut-down: the same questions as Exit. Cancel, or a
        // cancelled save dialog, keeps the session from ending.
        Closeall1Click();
        return CloseCancelled ? FALSE : TRUE;
    case WM_CLOSE: {
        bool allowClose = true;
        FormClose(allowClose);
        if (allowClose) DestroyWindow(Handle());
        return 0;
    }
    case WM_DESTROY:
        FormDestroy();
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return TWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace qm
