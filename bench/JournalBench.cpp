// Benchmark of the recovery journal: what keeping unsaved work costs the
// user while typing into a 10 MB document.
//
// Types into a real TColorMemo holding 10 MB of generated HTML (with
// characters beyond ASCII), once without the journal and once with it run
// the way the main window runs it: every typed character counts as a change,
// and whenever an entry is due (a second of quiet, or five seconds of
// changes) the GUI thread copies the text and hands it to the journal's
// worker. Prints the time per typed character both ways, how long the GUI
// thread was held per entry (the copy and the hand-over), how long the
// worker took to write an entry, and the ratio of typing with the journal
// to typing without (`journal_typing_ratio_10MB`).
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/HtmlColorRules.h"
#include "app/RecoveryJournal.h"
#include "bench/BenchSupport.h"
#include "editor/ColorMemo.h"
#include "ui/Utf.h"
#include "ui/Window.h"

namespace {

using qmbench::Now;

class Host : public qm::TWindow {
public:
    Host() {
        CreateWindowOfClass("QuillmereJournalBenchHost", "Journal benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                            0, 0, 0, 700, 800, nullptr, nullptr);
        ShowWindow(Handle(), SW_SHOW);
    }
};

struct Typing {
    double msPerChar = 0;
    std::vector<double> holds;  // ms the GUI thread spent per journal entry
};

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    Host host;
    qm::TColorMemo memo(host.Handle(), 1);
    memo.SetColor(qm::clWhite);
    memo.SetScrollBars(qm::TScrollStyle::ssBoth);
    memo.SetBounds(0, 0, 680, 760);
    qm::TDrawRules rules;
    qm::AddHtmlColorRules(rules);
    memo.SetColorRules(rules);

    std::string utf8 = qmbench::Document(10 * 1024 * 1024);
    for (size_t at = 0; at + 40 < utf8.size(); at += 997) utf8.replace(at, 2, "\xC3\xA9");  // é here and there
    const std::u16string text16 = qm::Utf8ToUtf16(utf8);
    memo.SetText(std::wstring(text16.begin(), text16.end()));
    SendMessageW(memo.Handle(), EM_SETSEL, text16.size() / 2, text16.size() / 2);
    SendMessageW(memo.Handle(), EM_SCROLLCARET, 0, 0);
    UpdateWindow(memo.Handle());

    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = qm::Utf16ToUtf8(reinterpret_cast<const char16_t*>(temp)) + "qm-journal-bench";

    constexpr int kChars = 400;
    const auto type = [&](qm::TRecoveryJournal* journal) {
        Typing result;
        const double start = Now();
        for (int i = 0; i < kChars; ++i) {
            SendMessageW(memo.Handle(), WM_CHAR, i % 2 ? VK_BACK : L'x', 1);
            UpdateWindow(memo.Handle());
            qmbench::Pump();
            if (!journal) continue;
            journal->Changed(0);
            if (journal->Due().empty()) continue;
            const double holdStart = Now();
            journal->Write(0, qm::TRecoveryEntry{"C:\\page.htm", "page.htm", "UTF-8", "CR LF",
                                                  qm::JournalTextOf(memo.Handle())});
            result.holds.push_back((Now() - holdStart) * 1000);
        }
        result.msPerChar = (Now() - start) * 1000 / kChars;
        return result;
    };

    type(nullptr);  // warm-up
    const Typing off = type(nullptr);
    double writeMs = 0;
    Typing on;
    {
        qm::TRecoveryJournal journal(folder);
        on = type(&journal);
        qm::TRecoveryEntry entry{"", "Untitled", "UTF-8", "CR LF", qm::JournalTextOf(memo.Handle())};
        const double writeStart = Now();
        journal.Write(0, std::move(entry));
        journal.Flush();
        writeMs = (Now() - writeStart) * 1000;
    }
    const auto maxHold = on.holds.empty() ? 0.0 : *std::max_element(on.holds.begin(), on.holds.end());
    std::printf("document: %zu characters, %d typed characters each way\n", text16.size(), kChars);
    std::printf("typing_ms_per_char_journal_off %.2f\n", off.msPerChar);
    std::printf("typing_ms_per_char_journal_on %.2f\n", on.msPerChar);
    std::printf("journal_entries_written_while_typing %zu\n", on.holds.size());
    std::printf("journal_gui_hold_ms_10MB median %.1f max %.1f\n",
                on.holds.empty() ? 0.0 : qmbench::Median(on.holds), maxHold);
    std::printf("journal_worker_write_ms_10MB %.1f\n", writeMs);
    std::printf("journal_typing_ratio_10MB %.2f\n", on.msPerChar / off.msPerChar);
    return 0;
}
