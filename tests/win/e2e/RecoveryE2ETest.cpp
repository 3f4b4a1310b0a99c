// Unsaved work back after the program was killed: the real quillmere.exe,
// ended from outside with TerminateProcess, started again in the same folder.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "RunningProgram.h"
#include "TestSupport.h"
#include "app/RecoveryEntry.h"
#include "ui/WideText.h"

namespace {

using qmtest::RunningProgram;
using qmtest::SendWithTimeout;

constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kJournalTimeoutMs = 8000;

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW(qm::Widen(folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(qm::Narrow(found.cFileName));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

// The text of an editor; "?" when the window went meanwhile (an editor is
// made again when its scroll bars change).
std::wstring WideTextOf(HWND edit) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 5000, &length)) return L"?";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(edit, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL, 5000,
                             &got)) {
        return L"?";
    }
    text.resize(got);
    return text;
}

class RecoveryE2E : public ::testing::Test {
protected:
    // Starts the program in the folder; `confirm` gets the question at
    // start-up if one comes within `questionMs`.
    std::unique_ptr<RunningProgram> Start(const std::vector<std::string>& arguments, HWND* confirm = nullptr,
                                          DWORD questionMs = 0) {
        auto program = std::make_unique<RunningProgram>(qmtest::WindowsPathFromUnix(QM_EXE_PATH), arguments,
                                                        dir_.Path());
        main_ = nullptr;
        qmtest::WaitUntil(
            [&] {
                main_ = program->FindWindowByCaption("Quillmere");
                if (main_ && !qmtest::FindChild(main_, WC_TABCONTROLA)) main_ = nullptr;
                return main_ != nullptr;
            },
            kStartTimeoutMs);
        EXPECT_NE(main_, nullptr);
        if (confirm) *confirm = program->WaitForWindow("Confirm", questionMs);
        return program;
    }
    // The document editors (hidden ones too) and their texts.
    std::vector<HWND> Editors() const {
        std::vector<HWND> editors;
        for (HWND child = GetWindow(main_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (qmtest::ClassOf(child) == "Edit" && !(GetWindowLongPtrW(child, GWL_STYLE) & ES_READONLY))
                editors.push_back(child);
        }
        return editors;
    }
    HWND Editor() const {
        for (HWND editor : Editors())
            if (IsWindowVisible(editor)) return editor;
        return nullptr;
    }
    void TypeAtEnd(const std::wstring& text) {
        // Once the program is through with what it does (loading a big file).
        DWORD_PTR idle = 0;
        ASSERT_NE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &idle), 0);
        HWND editor = Editor();
        ASSERT_NE(editor, nullptr);
        const LRESULT end = SendWithTimeout(editor, WM_GETTEXTLENGTH, 0, 0);
        SendWithTimeout(editor, EM_SETSEL, static_cast<WPARAM>(end), end);
        for (wchar_t c : text) SendMessageW(editor, WM_CHAR, c, 1);
    }
    bool EntriesWritten(size_t count) const {
        return qmtest::WaitUntil([&] { return FilesIn(recovery_, "*.qmr").size() == count; }, kJournalTimeoutMs);
    }
    static std::string MessageText(HWND box) {
        HWND label = qmtest::FindChild(box, "Static", [](HWND s) { return !qmtest::TextOf(s).empty(); });
        return label ? qmtest::TextOf(label) : std::string();
    }

    qmtest::TempDir dir_;
    const std::string page_ = dir_.File("page.htm");
    const std::string recovery_ = dir_.File("recovery");
    const std::string original_ = "<html>\r\nsaved\r\n";
    HWND main_ = nullptr;
};

TEST_F(RecoveryE2E, KilledProgramsUnsavedTextComesBackOnYesAndIsSetAsideOnNo) {
    qmtest::WriteBytes(page_, original_);
    auto first = Start({"page.htm"});
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"typed"));
    ASSERT_NO_THROW(first->ChooseMenuItem(main_, "&File", "&New"));
    ASSERT_TRUE(qmtest::WaitUntil([&] { return Editors().size() == 2 && Editor() && WideTextOf(Editor()).empty(); }, 5000));
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"new \u0101 \U0001F600"));
    ASSERT_TRUE(EntriesWritten(2));

    // A second program in the same folder leaves the running one's entries alone.
    HWND confirm = nullptr;
    auto second = Start({}, &confirm, 3000);
    EXPECT_EQ(confirm, nullptr) << MessageText(confirm);
    second.reset();
    EXPECT_EQ(FilesIn(recovery_, "*.qmr").size(), 2u);

    first.reset();  // killed
    EXPECT_EQ(qmtest::ReadBytes(page_), original_);
    auto third = Start({}, &confirm, 10000);
    ASSERT_NE(confirm, nullptr) << "nothing offered";
    EXPECT_NE(MessageText(confirm).find("Restore 2 unsaved documents?"), std::string::npos) << MessageText(confirm);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&Yes"));
    // The start's Untitled and the two, modified.
    const std::vector<std::wstring> expected{L"", L"<html>\r\nsaved\r\ntyped", L"new \u0101 \U0001F600"};
    std::vector<std::wstring> texts;
    std::vector<bool> modified;
    qmtest::WaitUntil(
        [&] {
            texts.clear();
            modified.clear();
            for (HWND editor : Editors()) {
                texts.push_back(WideTextOf(editor));
                DWORD_PTR flag = 0;
                SendMessageTimeoutW(editor, EM_GETMODIFY, 0, 0, SMTO_NORMAL, 5000, &flag);
                modified.push_back(flag != 0);
            }
            for (size_t i = 0; i < texts.size(); ++i)
                if (modified[i] == texts[i].empty()) return false;
            std::sort(texts.begin(), texts.end());
            return texts == expected;
        },
        5000);
    EXPECT_EQ(texts, expected);
    EXPECT_EQ(qmtest::ReadBytes(page_), original_);

    // Killed again: the restored documents are offered again; No sets them aside.
    ASSERT_TRUE(EntriesWritten(2));
    third.reset();
    auto fourth = Start({}, &confirm, 10000);
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(RunningProgram::ClickButton(confirm, "&No"));
    EXPECT_TRUE(qmtest::WaitUntil([&] { return FilesIn(recovery_ + "\\discarded", "*.qmr").size() == 2; }, 5000));
    EXPECT_TRUE(FilesIn(recovery_, "*.qmr").empty());
    // A normal end leaves no entry of its own, and nothing is offered then.
    ASSERT_NO_THROW(fourth->ChooseMenuItem(main_, "&File", "E&xit"));
    ASSERT_TRUE(fourth->WaitForExit(10000));
    EXPECT_TRUE(FilesIn(recovery_, "*").empty());
    auto fifth = Start({}, &confirm, 3000);
    EXPECT_EQ(confirm, nullptr) << MessageText(confirm);
    EXPECT_EQ(qmtest::ReadBytes(page_), original_);
}

TEST_F(RecoveryE2E, AJournalThatCannotBeWrittenSaysSoOnceAndTypingGoesOn) {
    qmtest::WriteBytes(recovery_, "a file where the folder would be");
    qmtest::WriteBytes(page_, original_);
    auto program = Start({"page.htm"});
    HWND status = qmtest::FindChild(main_, STATUSCLASSNAMEA);
    const auto panel = [&] { return program->StatusText(status, 1); };
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"a"));
    EXPECT_TRUE(qmtest::WaitUntil([&] { return panel().starts_with("Unsaved work is not kept for recovery"); },
                                  kJournalTimeoutMs))
        << panel();
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"b"));
    EXPECT_EQ(WideTextOf(Editor()), L"<html>\r\nsaved\r\nab");
    EXPECT_EQ(program->FindWindowByCaption("Quillmere", "#32770"), nullptr) << "no box while typing";
}

TEST_F(RecoveryE2E, AKillDuringTheWriteOfABigDocumentLeavesAWholeEntry) {
    std::string big;
    while (big.size() < 2'000'000) big += "<p class=\"x\">line of text \xC3\xA9</p>\r\n";
    qmtest::WriteBytes(page_, big);
    auto program = Start({"page.htm"});
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"A"));
    ASSERT_TRUE(EntriesWritten(1));
    const std::string entryPath = recovery_ + "\\" + FilesIn(recovery_, "*.qmr").front();
    ASSERT_NO_FATAL_FAILURE(TypeAtEnd(L"B"));
    // Killed about when the next write runs (a second after the last key).
    Sleep(1100);
    program.reset();
    std::string why;
    const auto entry = qm::DecodeRecoveryEntry(qmtest::ReadBytes(entryPath), why);
    ASSERT_TRUE(entry) << why;
    EXPECT_TRUE(entry->Text.ends_with(u"A") || entry->Text.ends_with(u"AB"));
    EXPECT_EQ(entry->Text.size(), qm::Utf8ToUtf16(big).size() + (entry->Text.ends_with(u"AB") ? 2 : 1));
}

}  // namespace
