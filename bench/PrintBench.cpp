// Benchmark of printing: does a long document keep the printer waiting?
//
// Loads generated HTML of about 10 KB, 1 MB and 10 MB into a document of a
// real main window, presses OK in the real print dialog and prints, per size:
// the time from OK to the first page handed to the spooler (its EndPage
// done), the time of the whole run through the last page, the pages, and,
// for comparison, what reading the lines one edit-control query at a time
// would cost (a sample of EM_GETLINE queries in the middle of the text, times
// the line count). The job goes to a real printer, and is aborted instead of
// ended so that thousands of pages do not go on to the PDF writer.
#include <windows.h>
#include <commctrl.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iterator>
#include <memory>
#include <string>

#include "app/MainForm.h"
#include "bench/BenchSupport.h"
#include "printing/PrintForm.h"
#include "printing/PrinterJob.h"
#include "resources/resource.h"
#include "ui/WideText.h"

namespace {

using qmbench::Now;
using qmbench::Pump;

std::string Document(size_t bytes) {
    std::string text;
    text.reserve(bytes + 200);
    for (int row = 0; text.size() < bytes; ++row) {
        char line[160];
        std::snprintf(line, sizeof line,
                      "<tr class=\"row\"><td>%07d</td><td><a href=\"page%07d.htm\">entry</a></td></tr> <!-- r -->\r\n",
                      row, row);
        text += line;
    }
    return text;
}

double g_firstPage = 0;
int g_pages = 0;

int WINAPI TimedEndPage(HDC dc) {
    const int result = ::EndPage(dc);
    if (++g_pages == 1) g_firstPage = Now();
    return result;
}

// The bench wants the layout and spooling figures, not a PDF of
// thousands of pages: the job is dropped at its end.
int WINAPI DroppedEndDoc(HDC dc) {
    ::AbortDoc(dc);
    return 1;
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    SetCurrentDirectoryA(temp);  // the configuration folder: no settings file there

    qm::SpoolerCalls().EndPage = TimedEndPage;
    qm::SpoolerCalls().EndDoc = DroppedEndDoc;
    struct Size {
        const char* name;
        size_t bytes;
    };
    for (const Size size : {Size{"10KB", 10u << 10}, Size{"1MB", 1u << 20}, Size{"10MB", 10u << 20}}) {
        qm::TForm1 main("");
        qm::TForm2 print(main);
        main.SetSecondaryForms(nullptr, &print, nullptr);
        main.Show(SW_SHOWNOACTIVATE);
        Pump();
        qm::TColorMemo& editor = main.CurrentEditor();
        const double loadStart = Now();
        editor.SetText(qm::Widen(Document(size.bytes)));
        const int lines = editor.LineCount();
        std::fprintf(stderr, "%s: %d lines loaded in %.1f s\n", size.name, lines, Now() - loadStart);

        // Reading the lines one query each, sampled in the middle.
        const int samples = 20;
        wchar_t buffer[512];
        const double queryStart = Now();
        for (int i = 0; i < samples; ++i) {
            buffer[0] = static_cast<wchar_t>(std::size(buffer) - 1);
            SendMessageW(editor.Handle(), EM_GETLINE, static_cast<WPARAM>(lines / 2 + i), reinterpret_cast<LPARAM>(buffer));
        }
        const double perLine = (Now() - queryStart) / samples;

        main.Timer1Timer();
        main.Print1Click();
        Pump();
        g_pages = 0;
        g_firstPage = 0;
        const double start = Now();
        SendMessageA(GetDlgItem(print.Handle(), IDOK), BM_CLICK, 0, 0);
        const double end = Now();
        std::printf("[%s] lines=%d\n", size.name, lines);
        std::printf("  first_page_to_spooler_ms=%.1f\n", (g_firstPage - start) * 1000);
        std::printf("  whole_run_s=%.2f\n", end - start);
        std::printf("  pages=%d\n", g_pages);
        std::printf("  one_query_per_line_estimate_s=%.1f\n", perLine * lines);
        std::fflush(stdout);
        main.SetSecondaryForms(nullptr, nullptr, nullptr);
    }
    return 0;
}
