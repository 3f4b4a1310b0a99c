#include "app/RecoveryJournal.h"

#include <algorithm>

#include "ui/SystemError.h"
#include "ui/WideText.h"

namespace qm {

namespace {

constexpr wchar_t kEntrySuffix[] = L".qmr";
constexpr wchar_t kLockSuffix[] = L".lock";
constexpr wchar_t kWritingSuffix[] = L".writing";
constexpr DWORD kChunk = 1 << 20;

bool EndsWith(const std::wstring& text, const wchar_t* suffix) {
    return text.ends_with(suffix);
}

// The program an entry, lock or unfinished write belongs to: its name up to
// the last '-' (entries and writes) or the suffix (locks).
std::wstring ProgramOf(const std::wstring& name) {
    if (EndsWith(name, kLockSuffix)) return name.substr(0, name.size() - std::size(kLockSuffix) + 1);
    return name.substr(0, name.rfind(L'-'));
}

std::vector<std::wstring> FilesIn(const std::wstring& folder, const wchar_t* pattern) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.emplace_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool ReadWhole(const std::wstring& path, std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file.Valid() || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (int64_t{1} << 31)) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    size_t at = 0;
    while (at < bytes.size()) {
        DWORD got = 0;
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, kChunk));
        if (!ReadFile(file.Get(), bytes.data() + at, piece, &got, nullptr)) return false;
        if (got == 0) break;
        at += got;
    }
    bytes.resize(at);  // a file that shrank meanwhile reads as cut short
    return true;
}

}  // namespace

std::u16string JournalTextOf(HWND edit) {
    const size_t length = static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0));
    const auto buffer = reinterpret_cast<HLOCAL>(SendMessageW(edit, EM_GETHANDLE, 0, 0));
    if (const auto* text = buffer ? static_cast<const char16_t*>(LocalLock(buffer)) : nullptr) {
        std::u16string copy(text, length);
        LocalUnlock(buffer);
        return copy;
    }
    // Not a control that lends its buffer: ask for the text.
    std::u16string copy(length + 1, u'\0');
    copy.resize(static_cast<size_t>(
        SendMessageW(edit, WM_GETTEXT, copy.size(), reinterpret_cast<LPARAM>(copy.data()))));
    return copy;
}

TRecoveryJournal::TRecoveryJournal(std::string folder) : folder_(std::move(folder)), wideFolder_(Widen(folder_)) {
    wchar_t name[64];
    wsprintfW(name, L"qm%lux%llx", GetCurrentProcessId(), static_cast<unsigned long long>(GetTickCount64()));
    program_ = name;
}

bool TRecoveryJournal::Open() {
    if (lock_.Valid()) return true;
    if (!CreateDirectoryW(wideFolder_.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        const DWORD error = GetLastError();
        std::lock_guard<std::mutex> hold(mutex_);
        Fail("Unsaved work is not kept for recovery: cannot make " + folder_ + ": " + SystemErrorText(error));
        return false;
    }
    // Held without sharing while the program runs; deleted when it ends,
    // however it ends.
    lock_ = FileHandle(CreateFileW((wideFolder_ + L"\\" + program_ + kLockSuffix).c_str(), GENERIC_WRITE | DELETE, 0,
                                   nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    if (!lock_.Valid()) {
        const DWORD error = GetLastError();
        std::lock_guard<std::mutex> hold(mutex_);
        Fail("Unsaved work is not kept for recovery: cannot write into " + folder_ + ": " + SystemErrorText(error));
        return false;
    }
    worker_ = std::thread([this] { Work(); });
    return true;
}

TRecoveryJournal::~TRecoveryJournal() {
    if (!lock_.Valid()) return;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        stop_ = true;
    }
    wake_.notify_all();
    worker_.join();
    for (const std::wstring& name : FilesIn(wideFolder_, (program_ + L"-*").c_str()))
        DeleteFileW((wideFolder_ + L"\\" + name).c_str());
    lock_.Close();
    // Gone when nothing else is in it (another program's entries, discarded ones).
    RemoveDirectoryW(wideFolder_.c_str());
}

void TRecoveryJournal::Changed(int document) {
    const uint64_t now = GetTickCount64();
    auto [at, made] = changed_.try_emplace(document, TTimes{now, now});
    if (!made) at->second.Last = now;
}

std::vector<int> TRecoveryJournal::Due() {
    const uint64_t now = GetTickCount64();
    std::vector<int> due;
    for (auto at = changed_.begin(); at != changed_.end();) {
        if (now - at->second.Last >= kQuietMs || now - at->second.First >= kLongestMs) {
            due.push_back(at->first);
            at = changed_.erase(at);
        } else {
            ++at;
        }
    }
    return due;
}

void TRecoveryJournal::Write(int document, TRecoveryEntry entry) {
    if (!Open()) return;
    {
        std::lock_guard<std::mutex> hold(mutex_);
        if (pending_.find(document) == pending_.end()) order_.push_back(document);
        pending_[document] = TPending{std::move(entry)};
    }
    wake_.notify_all();
}

void TRecoveryJournal::Remove(int document) {
    changed_.erase(document);
    if (!lock_.Valid()) return;  // nothing was written yet
    {
        std::lock_guard<std::mutex> hold(mutex_);
        if (pending_.find(document) == pending_.end()) order_.push_back(document);
        pending_[document] = TPending{};
    }
    wake_.notify_all();
}

void TRecoveryJournal::Flush() {
    if (!lock_.Valid()) return;
    std::unique_lock<std::mutex> hold(mutex_);
    wake_.wait(hold, [this] { return order_.empty() && !busy_; });
}

std::string TRecoveryJournal::TakeFailure() {
    std::lock_guard<std::mutex> hold(mutex_);
    return std::exchange(failure_, std::string());
}

void TRecoveryJournal::Fail(const std::string& message) {
    // Called with the mutex held by the worker, or before it runs.
    if (!failing_) failure_ = message;
    failing_ = true;
}

void TRecoveryJournal::Work() {
    std::unique_lock<std::mutex> hold(mutex_);
    for (;;) {
        wake_.wait(hold, [this] { return stop_ || !order_.empty(); });
        if (stop_) return;
        const int document = order_.front();
        order_.pop_front();
        TPending job = std::move(pending_[document]);
        pending_.erase(document);
        busy_ = true;
        hold.unlock();
        try {
            Perform(document, job.Entry);
        } catch (const std::exception& error) {
            hold.lock();
            Fail(std::string("Unsaved work could not be kept for recovery: ") + error.what());
            hold.unlock();
        }
        hold.lock();
        busy_ = false;
        wake_.notify_all();
    }
}

std::wstring TRecoveryJournal::EntryPath(int document) const {
    return wideFolder_ + L"\\" + program_ + L"-" + std::to_wstring(document) + kEntrySuffix;
}

void TRecoveryJournal::Perform(int document, const std::optional<TRecoveryEntry>& entry) {
    const std::wstring path = EntryPath(document);
    if (!entry) {
        if (!DeleteFileW(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) {
            const DWORD error = GetLastError();
            std::lock_guard<std::mutex> hold(mutex_);
            Fail("Cannot remove the recovery copy " + Narrow(path) + ": " + SystemErrorText(error));
        }
        return;
    }
    const std::string bytes = EncodeRecoveryEntry(*entry);
    const std::wstring writing = path + kWritingSuffix;
    DWORD error = ERROR_SUCCESS;
    {
        FileHandle file(CreateFileW(writing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                    nullptr));
        if (!file.Valid()) error = GetLastError();
        for (size_t at = 0; error == ERROR_SUCCESS && at < bytes.size();) {
            const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size() - at, kChunk));
            DWORD written = 0;
            if (!WriteFile(file.Get(), bytes.data() + at, piece, &written, nullptr)) error = GetLastError();
            else if (written != piece) error = ERROR_DISK_FULL;
            at += written;
        }
        if (error == ERROR_SUCCESS && !FlushFileBuffers(file.Get())) error = GetLastError();
        if (file.Valid() && !file.Close() && error == ERROR_SUCCESS) error = GetLastError();
    }
    if (error == ERROR_SUCCESS &&
        !MoveFileExW(writing.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = GetLastError();
    }
    std::lock_guard<std::mutex> hold(mutex_);
    if (error == ERROR_SUCCESS) {
        failing_ = false;
        return;
    }
    DeleteFileW(writing.c_str());
    Fail("Cannot keep a recovery copy of " + entry->TabName + " in " + folder_ + ": " + SystemErrorText(error));
}

bool TRecoveryJournal::ProgramAlive(const std::wstring& program) const {
    if (program == program_) return true;
    // A running program holds its lock open without sharing.
    FileHandle lock(CreateFileW((wideFolder_ + L"\\" + program + kLockSuffix).c_str(), GENERIC_READ, 0, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !lock.Valid() && GetLastError() == ERROR_SHARING_VIOLATION;
}

std::vector<TRecoveryJournal::TLeftEntry> TRecoveryJournal::LeftEntries() const {
    std::vector<TLeftEntry> left;
    for (const std::wstring& name : FilesIn(wideFolder_, L"*.qmr")) {
        if (ProgramAlive(ProgramOf(name))) continue;
        TLeftEntry entry{wideFolder_ + L"\\" + name, std::nullopt, {}};
        std::string bytes;
        if (!ReadWhole(entry.File, bytes)) {
            entry.Why = "it cannot be read: " + SystemErrorText(GetLastError());
        } else {
            entry.Entry = DecodeRecoveryEntry(bytes, entry.Why);
        }
        left.push_back(std::move(entry));
    }
    return left;
}

void TRecoveryJournal::Discard(const std::vector<TLeftEntry>& entries) {
    const std::wstring discarded = wideFolder_ + L"\\discarded";
    CreateDirectoryW(discarded.c_str(), nullptr);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    for (const TLeftEntry& entry : entries) {
        const std::wstring to = discarded + entry.File.substr(entry.File.rfind(L'\\'));
        if (!MoveFileExW(entry.File.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)) continue;
        // Kept from now on, however old the entry is.
        FileHandle file(CreateFileW(to.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.Valid()) SetFileTime(file.Get(), nullptr, nullptr, &now);
    }
    Delete({});
}

void TRecoveryJournal::Delete(const std::vector<TLeftEntry>& entries) {
    for (const TLeftEntry& entry : entries) DeleteFileW(entry.File.c_str());
    // Unfinished writes and locks of programs that are gone.
    for (const wchar_t* pattern : {L"*.writing", L"*.lock"}) {
        for (const std::wstring& name : FilesIn(wideFolder_, pattern)) {
            if (!ProgramAlive(ProgramOf(name))) DeleteFileW((wideFolder_ + L"\\" + name).c_str());
        }
    }
}

void TRecoveryJournal::PruneDiscarded() {
    const std::wstring discarded = wideFolder_ + L"\\discarded";
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const uint64_t nowTicks = (uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    const uint64_t keep = kKeepDiscardedDays * 24 * 3600 * uint64_t{10'000'000};
    for (const std::wstring& name : FilesIn(discarded, L"*.qmr")) {
        const std::wstring path = discarded + L"\\" + name;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) continue;
        const uint64_t written =
            (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime;
        if (nowTicks > written && nowTicks - written > keep) DeleteFileW(path.c_str());
    }
}

}  // namespace qm
