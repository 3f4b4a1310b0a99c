// Benchmark of search and word wrap in a long document: does Find cost in
// proportion to the text, once, or per character through the control?
//
// Makes the main window with one document of generated HTML of about 10 KB,
// 1 MB and 10 MB and prints per size the median time of one search through
// the find handler (FindDialog1Find: the text copied out once, searched,
// the hit selected and scrolled into view) for a hit near the end of the
// text (its letters of other scripts folded too), with and without letter
// case, and for a miss; and the time of
// switching word wrap on and off again, which makes the native control
// again with the whole text. Then Replace All of 10,000 matches in 10 MB
// (through the replace dialog's handler: the text copied out, the new text
// built and set at once, one undo step) against one WM_SETTEXT of the new
// text, and the Undo of it.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "bench/BenchSupport.h"
#include "resources/resource.h"
#include "ui/DialogSeam.h"
#include "ui/WideText.h"

namespace {

using qmbench::Document;
using qmbench::Median;
using qmbench::Now;
using qmbench::Pump;

// Answers the "not found" message of a miss.
class QuietDialogs : public qm::DialogScript {
public:
    qm::DialogResponse Answer(const qm::DialogRequest&) override {
        ++answered;
        return {};
    }
    int answered = 0;
};

double TimeSearch(qm::TForm1& form, const std::string& what, bool matchCase, int rounds) {
    qm::TColorMemo& editor = form.CurrentEditor();
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        editor.SetSelection(0, 0);
        Pump();
        form.FindDialog1.SearchText = what;
        form.FindDialog1.MatchCase = matchCase;
        const double start = Now();
        form.FindDialog1Find();
        times.push_back((Now() - start) * 1000);
    }
    return Median(times);
}

// 10,000 matches spread over 10 MB, each replaced by a longer text.
void ReplaceAllFigures(qm::TForm1& form) {
    constexpr size_t kMatches = 10'000;
    std::wstring text = qm::Widen(Document(10'000'000));
    const size_t spacing = text.size() / kMatches;
    std::wstring marked;
    marked.reserve(text.size() + kMatches * 8);
    for (size_t i = 0; i < kMatches; ++i) marked.append(text, i * spacing, spacing).append(L"OLDNAME");
    marked.append(text, kMatches * spacing);
    qm::TColorMemo& editor = form.CurrentEditor();
    editor.SetText(marked);
    std::wstring replaced = marked;
    for (size_t at = 0; (at = replaced.find(L"OLDNAME", at)) != std::wstring::npos; at += 11) {
        replaced.replace(at, 7, L"the-new-name");
    }
    Pump();
    double start = Now();
    SendMessageW(editor.Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(replaced.c_str()));
    const double setText = (Now() - start) * 1000;
    editor.SetText(marked);
    Pump();
    form.ReplaceDialog1.SearchText = "OLDNAME";
    form.ReplaceDialog1.ReplaceWith = "the-new-name";
    form.ReplaceDialog1.MatchCase = true;
    start = Now();
    form.ReplaceDialog1ReplaceAll();
    const double replaceAll = (Now() - start) * 1000;
    if (editor.Text() != replaced) std::printf("Replace All gave another text\n");
    start = Now();
    editor.Undo();
    const double undo = (Now() - start) * 1000;
    if (editor.Text() != marked) std::printf("Undo gave another text\n");
    std::printf("[replace_all_10MB] matches=%zu\n", kMatches);
    std::printf("  settext_ms=%.0f\n  replace_all_ms=%.0f\n  undo_ms=%.0f\n", setText, replaceAll, undo);
    std::printf("replace_all_ratio_10MB=%.3f\n", replaceAll / setText);
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);
    QuietDialogs dialogs;
    qm::SetDialogScript(&dialogs);
    qm::TForm1 form("");
    form.Show(SW_SHOWNOACTIVATE);
    Pump();

    std::printf("%-8s %10s %14s %14s %12s %12s %10s\n", "text", "lines", "hit-case ms", "hit-nocase ms",
                "miss ms", "wrap on ms", "off ms");
    const struct {
        const char* name;
        size_t bytes;
    } sizes[] = {{"10 KB", 10'000}, {"1 MB", 1'000'000}, {"10 MB", 10'000'000}};
    for (const auto& size : sizes) {
        std::wstring text = qm::Widen(Document(size.bytes));
        // A hit near the end, once in the text.
        const std::string needle = "NEEDLE \u00c4\u0401 near the end";
        const size_t at = text.size() - 40;
        text.insert(at, qm::Widen(needle));
        qm::TColorMemo& editor = form.CurrentEditor();
        editor.SetText(text);
        Pump();
        const int rounds = size.bytes >= 10'000'000 ? 5 : 11;
        const double hitCase = TimeSearch(form, needle, true, rounds);
        if (editor.SelStart() != static_cast<int>(at)) std::printf("wrong hit at %d\n", editor.SelStart());
        const double hitNoCase = TimeSearch(form, "needle \u00e4\u0451 NEAR the END", false, rounds);
        if (editor.SelStart() != static_cast<int>(at)) std::printf("wrong hit at %d\n", editor.SelStart());
        const double miss = TimeSearch(form, "not in the text", false, rounds);
        double start = Now();
        form.WordWrap1Click();
        const double wrapOn = (Now() - start) * 1000;
        start = Now();
        form.WordWrap1Click();
        const double wrapOff = (Now() - start) * 1000;
        std::printf("%-8s %10d %14.2f %14.2f %12.2f %12.0f %10.0f\n", size.name,
                    static_cast<int>(SendMessageW(editor.Handle(), EM_GETLINECOUNT, 0, 0)), hitCase, hitNoCase, miss,
                    wrapOn, wrapOff);
        std::fflush(stdout);
    }
    ReplaceAllFigures(form);
    qm::SetDialogScript(nullptr);
    return 0;
}
