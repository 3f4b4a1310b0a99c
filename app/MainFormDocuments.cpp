// The documents of the main window: one tab in TN1, one editor in EditorList
// and one path entry in FileNameList each, at the same index.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>

#include "app/DocumentFile.h"
#include "app/DocumentText.h"
#include "app/MainForm.h"
#include "app/PathUtil.h"
#include "config/IniValues.h"
#include "resources/resource.h"
#include "ui/Errors.h"
#include "ui/MessageBoxes.h"
#include "ui/WaitCursor.h"
#include "ui/WideText.h"

namespace qm {

namespace {

void AddToRecentDocuments(const std::string& path) {
    const std::wstring wide = Widen(path);
    SHAddToRecentDocs(SHARD_PATHW, wide.c_str());
}

// The bytes of an editor's text in `format`; false when it holds a
// character the encoding cannot store.
bool EncodeEditorText(const TColorMemo& editor, const TTextFormat& format, std::string& bytes) {
    WaitCursor wait;
    const std::wstring text = editor.Text();
    return EncodeDocument(AsUtf16(text), format, SystemAnsiCodec(), bytes);
}

// UTF-8 stores every character; only half of one is beyond it.
Error HalfCharacterError(const std::string& path, TEncoding encoding) {
    return Error("Cannot save " + path + ": the text holds half of a character (an unpaired UTF-16 surrogate), "
                 "which " + std::string(EncodingName(encoding)) + " cannot store.");
}

// Releases a drop's file list on every path, as the protocol requires.
struct DropHolder {
    HDROP drop;
    ~DropHolder() { DragFinish(drop); }
};

template <typename T>
T& At(std::vector<T>& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size())) throw ListIndexError(index);
    return list[static_cast<size_t>(index)];
}

}  // namespace

bool TForm1::DocumentFileExists(const std::string& path) { return path != kUntitled && FileExistsAt(path); }

TColorMemo& TForm1::CurrentEditor() const {
    const int index = CurrentIndex();
    if (index < 0 || index >= static_cast<int>(EditorList.size())) throw ListIndexError(index);
    return *EditorList[static_cast<size_t>(index)];
}

const std::string& TForm1::CurrentPath() const {
    const int index = CurrentIndex();
    if (index < 0 || index >= static_cast<int>(FileNameList.size())) throw ListIndexError(index);
    return FileNameList[static_cast<size_t>(index)];
}

HWND TForm1::ActiveControl() const {
    const int index = CurrentIndex();
    if (index >= 0 && index < static_cast<int>(EditorList.size())) return EditorList[static_cast<size_t>(index)]->Handle();
    return TWindow::ActiveControl();
}

void TForm1::SelectLastTab() { TN1.Tabs().SetTabIndex(TN1.Tabs().Count() - 1); }

void TForm1::NewRE(const std::string& tabName, bool useTemplate) {
    // The new document's tab is the last one: during start-up the design's
    // placeholder still stands before it, so its index is not its editor's.
    TN1.Tabs().Append(tabName);
    const int tab = TN1.Tabs().Count() - 1;
    TColorMemo* editor = nullptr;
    try {
        if (EditorCreationTestHook) EditorCreationTestHook();
        auto owned = std::make_unique<TColorMemo>(Handle(), IDW_EDITOR_FIRST + (nextEditorId_++ % 10000));
        editor = owned.get();
        ownedEditors_.push_back(std::move(owned));
        EditorList.push_back(editor);
        formats_[editor] = kNewDocumentFormat;
        journalIds_[editor] = nextJournalId_++;
        editor->OnChange = [this, editor] { JournalChanged(editor); };
        WatchEditor(*editor);

        const TColorMemo& prototype = *ColorMemo1;
        editor->SetVisible(false);
        editor->SetBounds(editor->Left(), editor->Top(), editor->Width(), prototype.Height());
        editor->SetPopupMenu(prototype.PopupMenu(), Handle());
        editor->SetPopupEnabled(prototype.PopupEnabled());
        editor->SetWordWrap(prototype.WordWrap());
        editor->SetColorRules(prototype.ColorRules());
        editor->SetScrollBars(prototype.ScrollBars());
        TFont font = prototype.Font();
        font.Color = clBlack;
        editor->SetFont(font);
        editor->SetColor(clWhite);
        editor->SetRedrawAlways(prototype.RedrawAlways());
        editor->SetBounds(prototype.Left(), prototype.Top(), prototype.Width(), prototype.Height());

        if (useTemplate && UseTemp && FileExistsAt(TemplateFilePath(ConfigDir))) LoadTemplate(*editor);
        editor->SetModified(false);
        editor->ClearUndo();
        SelectLastTab();
    } catch (...) {
        DiscardHalfMadeDocument(tab, editor);
        throw;
    }
}

// The template's text, then two empty lines, with the caret at the start;
// the document takes the template's encoding and line breaks.
void TForm1::LoadTemplate(TColorMemo& editor) {
    WaitCursor wait;
    TDecodedText decoded = ReadDocumentFile(TemplateFilePath(ConfigDir));
    std::u16string& text = decoded.Text;
    if (!text.empty() && !text.ends_with(u"\r\n")) text += u"\r\n";
    text += u"\r\n\r\n";
    editor.SetText(AsWide(text));
    editor.SetSelection(0, 0);
    DocumentFormat(editor) = TemplateDocumentFormat(decoded);
}

TTextFormat& TForm1::DocumentFormat(const TColorMemo& editor) {
    const auto found = formats_.find(&editor);
    if (found == formats_.end()) throw Error("The document was closed meanwhile.");
    return found->second;
}

void TForm1::DestroyEditor(TColorMemo* editor) {
    JournalForget(editor);
    journalIds_.erase(editor);
    formats_.erase(editor);
    EditorList.erase(std::remove(EditorList.begin(), EditorList.end(), editor), EditorList.end());
    ownedEditors_.erase(std::remove_if(ownedEditors_.begin(), ownedEditors_.end(),
                                       [editor](const auto& owned) { return owned.get() == editor; }),
                        ownedEditors_.end());
}

// A document whose tab (at `tab`) and perhaps editor exist but whose path
// entry was never appended (making or loading it failed): take both back so
// the three lists stay in step.
void TForm1::DiscardHalfMadeDocument(int tab, TColorMemo* editor) {
    if (editor) DestroyEditor(editor);
    if (tab >= 0 && tab < TN1.Tabs().Count()) TN1.Tabs().Remove(tab);
    TN1Click();
    Timer1.SetEnabled(true);
    EnableDocumentCommands(TN1.Tabs().Count() != 0);
}

void TForm1::New1Click() {
    NewRE(std::string(kUntitled), true);
    FileNameList.emplace_back(kUntitled);
}

void TForm1::Open1Click() {
    if (OpenDialog1.Execute(Handle())) OpenFile(OpenDialog1.FileName);
}

namespace {

// An in-place save of `path` that the program did not live to finish may have
// left the file half written; the whole old text is in a backup copy, which
// the user may take back.
void OfferUnfinishedSaves(HWND owner, const std::string& path) {
    for (const std::string& backup : UnfinishedSaveBackups(path)) {
        const std::string question = path + " was being saved when Quillmere stopped. Restore the earlier version?";
        if (Confirm(owner, question, false) == DialogAnswer::Yes) {
            RestoreUnfinishedSave(path, backup);
        } else {
            DiscardUnfinishedSave(backup);
        }
    }
}

}  // namespace

void TForm1::OpenFile(const std::string& path) {
    int match = -1;
    for (int i = 0; i < TN1.Tabs().Count() && i < static_cast<int>(FileNameList.size()); ++i) {
        if (FileNameList[static_cast<size_t>(i)] == path) match = i;
    }
    if (match >= 0) {
        ShowMessage(Handle(), "File is already opened!");
        TN1.Tabs().SetTabIndex(match);
        return;
    }
    if (FileExistsAt(path)) OfferUnfinishedSaves(Handle(), path);
    WaitCursor wait;
    // Read first: a file the editor cannot hold is refused before any tab
    // is made for it.
    const TDecodedText decoded = ReadDocumentFile(path);
    NewRE(TabNameFromPath(path), false);
    const int tab = TN1.Tabs().Count() - 1;
    TColorMemo* editor = EditorList.back();
    try {
        AddToRecentDocuments(path);
        editor->SetText(AsWide(decoded.Text));
        DocumentFormat(*editor) = decoded.Format;
    } catch (...) {
        DiscardHalfMadeDocument(tab, editor);
        throw;
    }
    FileNameList.push_back(path);
    editor->SetModified(false);
    editor->ClearUndo();
}

void TForm1::WMDropFiles(HDROP drop) {
    DropHolder holder{drop};
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        // Names of any length: ask for each one's length first.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring name(static_cast<size_t>(length) + 1, L'\0');
        const UINT got = DragQueryFileW(drop, i, name.data(), length + 1);
        name.resize(got);
        OpenFile(Narrow(name));
    }
}

void TForm1::TN1Click() {
    for (TColorMemo* editor : EditorList) editor->SetVisible(false);
    const int index = CurrentIndex();
    if (index >= 0 && index < static_cast<int>(EditorList.size())) {
        TColorMemo* editor = EditorList[static_cast<size_t>(index)];
        editor->SetVisible(true);
        editor->SetFocus();
    }
    ShowCaretPosition();
}

void TForm1::TN1Change(int, bool& allowChange) {
    EnableDocumentCommands(TN1.Tabs().Count() != 0);
    Timer1.SetEnabled(true);
    allowChange = true;
}

void TForm1::MakeCurrent(const TColorMemo* editor) {
    const auto found = std::find(EditorList.begin(), EditorList.end(), editor);
    if (found == EditorList.end()) throw Error("The document was closed meanwhile.");
    TN1.Tabs().SetTabIndex(static_cast<int>(found - EditorList.begin()));
}

bool TForm1::SaveDocument(const std::string& path) {
    TColorMemo& editor = CurrentEditor();
    TTextFormat format = DocumentFormat(editor);
    std::string bytes;
    if (!EncodeEditorText(editor, format, bytes)) {
        if (format.Encoding != TEncoding::Ansi) throw HalfCharacterError(path, format.Encoding);
        const std::string question = TabNameFromPath(path) + " holds characters that " +
                                     std::string(EncodingName(format.Encoding)) +
                                     " cannot store. Do you want to save it as UTF-8?";
        if (Confirm(Handle(), question, true) != DialogAnswer::Yes) return false;
        MakeCurrent(&editor);
        format.Encoding = TEncoding::Utf8;
        if (!EncodeEditorText(editor, format, bytes)) throw HalfCharacterError(path, format.Encoding);
    }
    {
        WaitCursor wait;
        SaveDocumentFile(path, bytes);
    }
    DocumentFormat(editor) = format;
    editor.SetModified(false);
    JournalForget(&editor);
    Timer1.SetEnabled(true);
    return true;
}

bool TForm1::Save1Click() {
    const std::string path = CurrentPath();
    if (DocumentFileExists(path)) return SaveDocument(path);
    const TColorMemo* editor = &CurrentEditor();
    // A document without a file offers no name: another document's name
    // here would be one Return away from overwriting that file.
    SaveDialog1.FileName.clear();
    if (!SaveDialog1.Execute(Handle())) return false;
    const std::string name = SaveDialog1.FileName;
    MakeCurrent(editor);
    if (!SaveDocument(name)) return false;
    AddToRecentDocuments(name);
    At(FileNameList, CurrentIndex()) = name;
    TN1.Tabs().Rename(CurrentIndex(), TabNameFromPath(name));
    return true;
}

void TForm1::SaveAs1Click() {
    const TColorMemo* editor = &CurrentEditor();
    // The dialog opens on the document's own name (none when it has no file);
    // after No it keeps the name the user typed last.
    SaveDialog1.FileName = CurrentPath() == kUntitled ? std::string() : CurrentPath();
    std::string name;
    for (;;) {
        if (!SaveDialog1.Execute(Handle())) return;
        name = SaveDialog1.FileName;
        if (!FileExistsAt(name)) break;
        const DialogAnswer answer = Confirm(Handle(), "File already exist. Do you want to overwrite?", true);
        if (answer == DialogAnswer::Cancel) return;
        if (answer == DialogAnswer::Yes) break;
        // No: the dialog opens again for another name.
    }
    MakeCurrent(editor);
    if (!SaveDocument(name)) return;
    AddToRecentDocuments(name);
    At(FileNameList, CurrentIndex()) = name;
    TN1.Tabs().Rename(CurrentIndex(), TabNameFromPath(name));
}

void TForm1::SaveDialog1TypeChange() { SaveDialog1.DefaultExt = SaveDialog1.FilterIndex == 2 ? "html" : "htm"; }

void TForm1::Close1Click() { CloseCurrentDocument(); }

void TForm1::CloseCurrentDocument() {
    CloseCancelled = false;
    TColorMemo* editor = &CurrentEditor();
    if (!editor->Modified()) {
        RemoveCurrentDocument();
        return;
    }
    switch (Confirm(Handle(), "Want to save changes?", true)) {
    case DialogAnswer::Cancel:
        CloseCancelled = true;
        return;
    case DialogAnswer::No:
        RemoveCurrentDocument();
        return;
    default:
        break;
    }
    // Declining the save as UTF-8 cancels the close, as Cancel would.
    const std::string path = CurrentPath();
    if (DocumentFileExists(path)) {
        if (!SaveDocument(path)) {
            CloseCancelled = true;
            return;
        }
        RemoveCurrentDocument();
        return;
    }
    SaveDialog1.FileName.clear();
    if (!SaveDialog1.Execute(Handle())) {
        // The owner asked to save and then cancelled the name: the close is
        // cancelled, so Close All and Exit never throw the document away.
        CloseCancelled = true;
        return;
    }
    MakeCurrent(editor);
    if (!SaveDocument(SaveDialog1.FileName)) {
        CloseCancelled = true;
        return;
    }
    RemoveCurrentDocument();
}

void TForm1::RemoveCurrentDocument() {
    const int index = CurrentIndex();
    TColorMemo* editor = At(EditorList, index);
    At(FileNameList, index);  // checks the index before anything changes
    DestroyEditor(editor);
    FileNameList.erase(FileNameList.begin() + index);
    TN1.Tabs().Remove(index);
    TN1Click();
    Timer1.SetEnabled(true);
    EnableDocumentCommands(TN1.Tabs().Count() != 0);
}

void TForm1::ChooseEncoding(TEncoding encoding) {
    TColorMemo& editor = CurrentEditor();
    TTextFormat& format = DocumentFormat(editor);
    if (format.Encoding == encoding) return;
    format.Encoding = encoding;
    // The file no longer holds what the next save will write.
    editor.SetModified(true);
    JournalChanged(&editor);
    ShowDocumentFormat();
}

void TForm1::Closeall1Click() {
    CloseCancelled = false;
    const int passes = TN1.Tabs().Count();
    for (int pass = 0; pass < passes; ++pass) {
        if (CloseCancelled) continue;
        TN1.Tabs().SetTabIndex(0);
        TN1Click();
        CloseCurrentDocument();
    }
    StatusBar1.SetPanelText(1, kNoFileText);
}

}  // namespace qm
