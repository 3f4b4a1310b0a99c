// The main window `TForm1`: tool bar, tab strip, the editor area with the
// prototype editor `ColorMemo1`, status bar, menus, timers, and the
// documents: one tab, one editor and one path entry each, kept in step.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/AboutForm.h"
#include "app/RecoveryJournal.h"
#include "app/TextEncoding.h"
#include "caption/GradientCaption.h"
#include "config/IniFile.h"
#include "config/OptionsForm.h"
#include "editor/ColorMemo.h"
#include "printing/PrintForm.h"
#include "ui/ColorDialog.h"
#include "ui/FileDialog.h"
#include "ui/FindDialog.h"
#include "ui/Font.h"
#include "ui/StatusBar.h"
#include "ui/TabStrip.h"
#include "ui/Timer.h"
#include "ui/ToolBar.h"
#include "ui/Window.h"

namespace qm {

// The prototype editor's text, shown while no document is open.
inline constexpr char kNoFileText[] = "No file is opened";
// The File menu's Encoding submenu, by position.
inline constexpr int kEncodingMenuPosition = 4;

class TForm1 : public TWindow {
public:
    // Creates the window (hidden) and runs FormCreate. `firstArgument` is the
    // first command-line argument, "" when there is none.
    explicit TForm1(std::string firstArgument);
    ~TForm1() override;

    // Shows the window: FormShow runs just before it becomes visible.
    void Show(int showCommand = SW_SHOWNORMAL);

    // The secondary windows the program creates after the main window.
    void SetSecondaryForms(TForm5* about, TForm2* print, TForm3* options);

    // --- Start-up and main window -------------------------------------
    void FormCreate();
    void FormShow();
    void FormResize();
    // `allowClose` is the in/out close action: false keeps the window open.
    void FormClose(bool& allowClose);
    void FormDestroy();
    void Exit1Click();
    void EnableDocumentCommands(bool enabled);
    void Timer1Timer();
    void Timer2Timer();
    void PrinterSetup1Click();
    void PrinterSetupDialog1Close();
    void About1Click();
    void Options1Click();
    void LoadSettings(bool applyToOpenEditors);

    // --- Documents ----------------------------------------------------
    void NewRE(const std::string& tabName, bool useTemplate);
    void OpenFile(const std::string& path);
    void WMDropFiles(HDROP drop);
    void New1Click();
    void Open1Click();
    // True when the document was saved.
    bool Save1Click();
    void SaveAs1Click();
    void SaveDialog1TypeChange();
    void Close1Click();
    void Closeall1Click();
    void TN1Click();
    void TN1Change(int newIndex, bool& allowChange);
    void CloseCurrentDocument();
    void RemoveCurrentDocument();
    // Writes the current document to `path` in its encoding. When the text
    // holds a character the encoding cannot store, asks whether to save it
    // as UTF-8 instead; false when the user declines (nothing is saved).
    bool SaveDocument(const std::string& path);
    void SelectLastTab();
    // File > Encoding: the current document is to be saved in `encoding`.
    void ChooseEncoding(TEncoding encoding);
    // The encoding and line breaks a document's file is written in.
    TTextFormat& DocumentFormat(const TColorMemo& editor);

    // --- Editing commands and search (MainFormEdit.cpp) ----------------
    void Undo1Click();
    void Repaint1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void WordWrap1Click();
    void Edit1Click();
    void Print1Click();
    void Find1Click();
    void FindDialog1Find();

    // --- Keyboard-first editing (MainFormKeys.cpp) ------------------------
    void Redo1Click();
    // F3 and Shift+F3: the last search again from the caret, down or up.
    void FindNext1Click();
    void FindPrevious1Click();
    void Replace1Click();
    void ReplaceDialog1Replace();
    void ReplaceDialog1ReplaceAll();
    void GoToLine1Click();
    // The next (+1) or previous (-1) tab, around the ends.
    void SelectNextTab(int step);

    // --- Tag and attribute insertion (MainFormInsert.cpp) ----------------
    // Inserts the caption of the chosen tag or attribute entry.
    void Insert(int menuItemId);
    void InsertAtCaret(const std::string& text);
    void Colors1Click();
    void ToolButton14Click();
    void ToolButton15Click();
    void ToolButton19Click();

    // --- Unsaved work kept for recovery (MainFormRecovery.cpp) -----------
    void StartRecoveryJournal();
    // Offers the documents a program that ended without tidying up left in
    // the journal (once the window shows).
    void OfferRecovery();
    void JournalTimerTick();

    // --- Browser preview and FTP (MainFormRun.cpp) ---------------------
    void ToolButton17Click();
    void ToolButton20Click();

    // --- State ---------------------------------------------------------
    std::string ConfigDir;
    std::unique_ptr<TIniFile> IniFile;
    std::vector<TColorMemo*> EditorList;      // refers; the window owns the editors
    std::vector<std::string> FileNameList;
    bool CloseCancelled = false;
    bool Closing = false;
    bool TempStart = true;
    bool UseTemp = true;
    bool FileSaved = false;
    bool ListsCreated = false;                // FormShow has made the document lists

    // Stand-in for a failure a test cannot provoke for real: when set, it
    // runs where a document's editor window is made and may throw as a
    // failed CreateWindowEx there does.
    std::function<void()> EditorCreationTestHook;

    // --- Components ----------------------------------------------------
    TToolBar ToolBar1;
    TTabStrip TN1;
    RECT Bevel1{1, 54, 1 + 534, 54 + 265};
    std::unique_ptr<TColorMemo> ColorMemo1;
    TStatusBar StatusBar1;
    HMENU MainMenu1 = nullptr;
    HMENU PopupMenu1 = nullptr;  // the tab strip's menu
    HMENU PopupMenu2 = nullptr;  // the editors' menu and the Tags drop-down
    TFileDialog OpenDialog1{false};
    TFileDialog SaveDialog1{true};
    TFindDialog FindDialog1;
    TFindDialog ReplaceDialog1{true};
    TColorDialog ColorDialog1;
    TFileDialog OpenDialog2{false};
    TTimer Timer1{100, false};
    TTimer Timer2{1000, true};
    TTimer JournalTimer{250, false};  // writes the recovery journal's entries when due
    std::unique_ptr<TGradientCaption> GradientCaption1;

    TForm2* PrintForm() const { return form2_; }

    // The current document's index, editor and path; ListIndexError when
    // there is none.
    int CurrentIndex() const { return TN1.Tabs().TabIndex(); }
    TColorMemo& CurrentEditor() const;
    const std::string& CurrentPath() const;

    // Whether a path entry names an existing file. "Untitled" never does:
    // it stands for a document that has no file yet.
    static bool DocumentFileExists(const std::string& path);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The current document's editor takes the focus whenever the window
    // becomes active again (after every dialog and box, after switching back).
    HWND ActiveControl() const override;

private:
    void CreateComponents();
    void Command(int id);
    void LayOut();
    void ShowTabMenu(POINT screenPoint);
    void ShowTagsMenu(RECT buttonRect);
    // The editing, insertion and run commands and messages; true when the
    // command or message was one of theirs (MainFormEdit.cpp).
    void CreateEditingComponents();
    bool EditingCommand(int id);
    bool EditingMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // Shortcut keys, the status bar's caret panel and the tabs' modified
    // marks (MainFormKeys.cpp).
    void CreateKeyboardComponents();
    bool KeyboardCommand(int id);
    // Whether the menu item of a shortcut's command is enabled.
    bool ShortcutEnabled(int id) const;
    void WatchEditor(TColorMemo& editor);
    void ShowCaretPosition();
    // Searches the current document for the last search text; false after
    // the "not found" message.
    bool FindAgain(bool forward, HWND messageOwner);
    // Makes the document of `editor` current again after a nested dialog.
    void MakeCurrent(const TColorMemo* editor);
    // Takes back a document whose tab exists but whose making or load failed.
    void DiscardHalfMadeDocument(int tab, TColorMemo* editor);
    void DestroyEditor(TColorMemo* editor);
    void LoadTemplate(TColorMemo& editor);
    // The current document's encoding and line breaks in the status bar.
    void ShowDocumentFormat();
    void CheckEncodingItem(HMENU encodingMenu);
    // The recovery journal's side of a document (MainFormRecovery.cpp).
    void JournalChanged(const TColorMemo* editor);
    void JournalForget(const TColorMemo* editor);
    TRecoveryEntry RecoveryEntryOf(size_t index) const;
    void RestoreDocument(const TRecoveryEntry& entry);

    std::string firstArgument_;
    TFont font_;  // "MS Sans Serif", 8 point
    qm::Font gdiFont_;
    std::vector<std::unique_ptr<TColorMemo>> ownedEditors_;
    std::map<const TColorMemo*, TTextFormat> formats_;
    int nextEditorId_ = 0;
    std::unique_ptr<TRecoveryJournal> journal_;
    std::map<const TColorMemo*, int> journalIds_;  // each document's entry in the journal
    int nextJournalId_ = 0;
    bool shown_ = false;
    TForm5* form5_ = nullptr;
    TForm2* form2_ = nullptr;
    TForm3* form3_ = nullptr;
};

}  // namespace qm
