// Unsaved work kept for recovery: every modified document's text goes to the
// recovery journal a second after the user stops changing it (at least every
// five seconds while changes go on), its entry goes when it is saved, back at
// its saved text or closed, and at start-up the entries of a program that
// ended without tidying up are offered back.
#include <windows.h>

#include <algorithm>

#include "app/MainForm.h"
#include "app/PathUtil.h"
#include "app/RecoveryJournal.h"
#include "ui/Application.h"
#include "ui/MessageBoxes.h"
#include "ui/WaitCursor.h"
#include "ui/WideText.h"

namespace qm {

namespace {

std::optional<TTextFormat> FormatFromNames(const std::string& encoding, const std::string& breaks) {
    TTextFormat format;
    const auto known = std::find_if(std::begin(kEncodings), std::end(kEncodings),
                                    [&](TEncoding e) { return EncodingName(e) == encoding; });
    if (known == std::end(kEncodings)) return std::nullopt;
    format.Encoding = *known;
    for (TLineBreak style : {TLineBreak::CrLf, TLineBreak::Lf, TLineBreak::Cr}) {
        if (LineBreakName(style) == breaks) {
            format.Breaks = style;
            return format;
        }
    }
    return std::nullopt;
}

std::string FileNameOf(const std::wstring& path) { return Narrow(path.substr(path.rfind(L'\\') + 1)); }

}  // namespace

void TForm1::StartRecoveryJournal() {
    journal_ = std::make_unique<TRecoveryJournal>(RecoveryFolder(ConfigDir));
    // The failure of a journal that cannot start shows in the status bar,
    // as any later one does: editing goes on without it.
    JournalTimer.OnTimer = [this] { JournalTimerTick(); };
    JournalTimer.SetEnabled(true);
}

void TForm1::JournalChanged(const TColorMemo* editor) {
    const auto found = journalIds_.find(editor);
    if (journal_ && found != journalIds_.end()) journal_->Changed(found->second);
}

void TForm1::JournalForget(const TColorMemo* editor) {
    const auto found = journalIds_.find(editor);
    if (journal_ && found != journalIds_.end()) journal_->Remove(found->second);
}

TRecoveryEntry TForm1::RecoveryEntryOf(size_t index) const {
    const TColorMemo& editor = *EditorList[index];
    const TTextFormat& format = formats_.at(&editor);
    const std::string& path = FileNameList[index];
    return TRecoveryEntry{path == kUntitled ? std::string() : path, TN1.Tabs().Tab(static_cast<int>(index)),
                          std::string(EncodingName(format.Encoding)), std::string(LineBreakName(format.Breaks)),
                          JournalTextOf(editor.Handle())};
}

void TForm1::JournalTimerTick() {
    if (!journal_) return;
    for (const int id : journal_->Due()) {
        const auto found = std::find_if(journalIds_.begin(), journalIds_.end(),
                                        [id](const auto& entry) { return entry.second == id; });
        if (found == journalIds_.end()) continue;
        const auto at = std::find(EditorList.begin(), EditorList.end(), found->first);
        const size_t index = static_cast<size_t>(at - EditorList.begin());
        // A document made but not yet given its path entry waits for the next change.
        if (at == EditorList.end() || index >= FileNameList.size()) continue;
        if ((*at)->Modified()) {
            journal_->Write(id, RecoveryEntryOf(index));
        } else {
            journal_->Remove(id);
        }
    }
    const std::string failure = journal_->TakeFailure();
    if (!failure.empty()) StatusBar1.SetPanelText(1, failure);
}

void TForm1::OfferRecovery() {
    if (!journal_) return;
    journal_->PruneDiscarded();
    std::vector<TRecoveryJournal::TLeftEntry> readable, unreadable;
    for (auto& left : journal_->LeftEntries()) {
        if (left.Entry && !FormatFromNames(left.Entry->Encoding, left.Entry->LineBreaks)) {
            left.Why = "its encoding or line breaks are unknown";
            left.Entry.reset();
        }
        (left.Entry ? readable : unreadable).push_back(std::move(left));
    }
    std::string skipped;
    for (const auto& left : unreadable) skipped += "\n" + FileNameOf(left.File) + ": " + left.Why + ".";
    // Never restored as garbage, never thrown away either.
    if (!unreadable.empty()) journal_->Discard(unreadable);
    if (readable.empty()) {
        if (!unreadable.empty()) {
            ShowMessage(Handle(), "These recovery copies could not be read and were put into " +
                                      RecoveryFolder(ConfigDir) + "\\discarded:" + skipped);
        }
        journal_->Delete({});
        return;
    }
    const std::string count = std::to_string(readable.size());
    std::string question = "Quillmere ended without saving " +
                           (readable.size() == 1 ? std::string("a document") : count + " documents") +
                           ". Restore " + count + (readable.size() == 1 ? " unsaved document?" : " unsaved documents?");
    if (!unreadable.empty()) question += "\n\nThese recovery copies could not be read and were set aside:" + skipped;
    if (Confirm(Handle(), question, false) != DialogAnswer::Yes) {
        journal_->Discard(readable);
        return;
    }
    WaitCursor wait;
    for (const auto& left : readable) {
        try {
            RestoreDocument(*left.Entry);
        } catch (const std::exception& error) {
            // This one stays in the folder for the next start.
            Application().HandleException(error);
            continue;
        }
        journal_->Flush();  // its copy is this program's now
        journal_->Delete({left});
    }
}

void TForm1::RestoreDocument(const TRecoveryEntry& entry) {
    const TTextFormat format = *FormatFromNames(entry.Encoding, entry.LineBreaks);
    const std::string path = entry.Path.empty() ? std::string(kUntitled) : entry.Path;
    TColorMemo* editor = nullptr;
    if (!entry.Path.empty()) {
        const auto open = std::find(FileNameList.begin(), FileNameList.end(), entry.Path);
        if (open != FileNameList.end()) {
            // Open already (from the command line): the recovered text goes
            // into that tab, unless it has changes of its own.
            editor = EditorList[static_cast<size_t>(open - FileNameList.begin())];
            if (editor->Modified()) return;
            MakeCurrent(editor);
        }
    }
    if (!editor) {
        NewRE(entry.TabName.empty() ? TabNameFromPath(path) : entry.TabName, false);
        editor = EditorList.back();
        FileNameList.push_back(path);
    }
    editor->SetText(std::wstring(entry.Text.begin(), entry.Text.end()));
    editor->SetSelection(0, 0);
    formats_.at(editor) = format;
    editor->SetModified(true);
    editor->ClearUndo();  // Undo stops at the text recovered
    const size_t index = static_cast<size_t>(std::find(EditorList.begin(), EditorList.end(), editor) - EditorList.begin());
    journal_->Write(journalIds_.at(editor), RecoveryEntryOf(index));
    Timer1.SetEnabled(true);
}

}  // namespace qm
