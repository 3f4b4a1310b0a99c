// The recovery journal: a copy of every modified document's text in the
// folder "recovery" beside the configuration file, so that a crash, a killed
// process or a power cut loses no typed text.
//
// Each running program has its own entries, named after the program, and
// holds a lock file open (without sharing) while it runs: entries whose
// program holds no lock are left over from one that ended without tidying up.
// Entries are written on a worker thread from a copy of the text; each write
// goes to a new file that then replaces the entry, so an interrupted write
// leaves the previous entry whole. Nothing here ever shows a box: failures
// are kept for the status bar.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/RecoveryEntry.h"
#include "ui/Gdi.h"

namespace qm {

// A copy of a multi-line edit control's whole text for the journal, made
// straight from the control's own buffer: one copy, without the zeroed
// buffer and second copy that WM_GETTEXT into a string would cost (some 50 ms
// on the GUI thread for 10 MB under Wine).
std::u16string JournalTextOf(HWND edit);

class TRecoveryJournal {
public:
    // A document's entry is written once its text has been quiet this long,
    // and while changes go on, at least this often (with the main window's
    // quarter-second tick: within a second, and every five seconds).
    static constexpr uint64_t kQuietMs = 750;
    static constexpr uint64_t kLongestMs = 4750;
    // Discarded entries are kept this long.
    static constexpr uint64_t kKeepDiscardedDays = 7;

    // The folder is made, and this program's entries marked as alive, at
    // the first write; a folder that cannot be used keeps nothing, and
    // TakeFailure says why.
    explicit TRecoveryJournal(std::string folder);
    // A normal end: this program's entries and its lock go, and the folder
    // too when nothing else is in it.
    ~TRecoveryJournal();
    TRecoveryJournal(const TRecoveryJournal&) = delete;
    TRecoveryJournal& operator=(const TRecoveryJournal&) = delete;

    const std::string& Folder() const { return folder_; }

    // The document's text changed just now.
    void Changed(int document);
    // The documents whose entry is due (and no longer counted as changed).
    std::vector<int> Due();
    // Queues the document's entry; the worker writes it from this copy.
    void Write(int document, TRecoveryEntry entry);
    // Removes the document's entry (and any write of it still queued).
    void Remove(int document);
    // Waits until every queued write and removal is done.
    void Flush();
    // A failure not reported before, or "" (one message per run of failures).
    std::string TakeFailure();

    // Entries left by programs that are no longer running.
    struct TLeftEntry {
        std::wstring File;
        std::optional<TRecoveryEntry> Entry;  // none when it cannot be read back
        std::string Why;                      // ... and why
    };
    std::vector<TLeftEntry> LeftEntries() const;
    // Moves left entries to the folder "discarded" (kept kKeepDiscardedDays).
    void Discard(const std::vector<TLeftEntry>& entries);
    // Deletes left entries (their documents are this program's now) and the
    // lock files of programs that left no entry.
    void Delete(const std::vector<TLeftEntry>& entries);
    // Deletes discarded entries older than kKeepDiscardedDays.
    void PruneDiscarded();

private:
    struct TPending {
        std::optional<TRecoveryEntry> Entry;  // none: remove
    };
    bool Open();
    void Work();
    void Perform(int document, const std::optional<TRecoveryEntry>& entry);
    void Fail(const std::string& message);
    std::wstring EntryPath(int document) const;
    bool ProgramAlive(const std::wstring& program) const;

    std::string folder_;
    std::wstring wideFolder_;
    std::wstring program_;  // this program's name for its entries
    FileHandle lock_;

    struct TTimes {
        uint64_t First, Last;
    };
    std::map<int, TTimes> changed_;  // GUI thread only

    std::mutex mutex_;
    std::condition_variable wake_;
    std::map<int, TPending> pending_;
    std::deque<int> order_;
    bool busy_ = false;
    bool stop_ = false;
    bool failing_ = false;
    std::string failure_;
    std::thread worker_;
};

}  // namespace qm
