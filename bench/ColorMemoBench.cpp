// Benchmark of the colouring editor: does a paint, or a typed character,
// cost more because the document is long?
//
// Loads generated HTML of about 10 KB, 1 MB and 10 MB into a real TColorMemo
// in a window of about 80 x 50 lines, scrolled to the middle, and prints per
// size the median times of the native control's own repaint (no rules), of a
// repaint with the three rules of the program's editors, and of one typed
// character through to the repaint done, without and with the rules; what
// one full RedrawColors asks of the native control and copies out of it;
// and the time spent in the window-free core per paint. The last lines are
// the ratios between the largest and the smallest document.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "editor/ColorMemo.h"
#include "ui/Window.h"

namespace {

using qm::TColorMemo;
using qmbench::Document;
using qmbench::Median;
using qmbench::Now;
using qmbench::Pump;

class Host : public qm::TWindow {
public:
    Host() {
        CreateWindowOfClass("QuillmereBenchHost", "Editor benchmark", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0,
                            0, 200, 200, nullptr, nullptr);
        ShowWindow(Handle(), SW_SHOW);
    }
};

void AddRules(qm::TDrawRules& rules) {
    qm::TColorRule& tags = rules.Add();
    tags.Keywords = {"<;HTML>"};
    tags.KeyBegEndLst = {"<;>"};
    tags.KeyMaxHeight = 3;
    tags.DefKeyColor = qm::clMaroon;
    qm::TColorRule& quoted = rules.Add();
    quoted.KeyBegEndLst = {"\";\""};
    quoted.ZOrder = 1;
    quoted.DefKeyColor = qm::clGray;
    qm::TColorRule& comments = rules.Add();
    comments.KeyBegEndLst = {"<!--;-->"};
    comments.ZOrder = 1;
    comments.DefKeyColor = qm::clOlive;
}

struct Figures {
    const char* name;
    int lines;
    double paintNative, paintRules;                  // ms
    double typeNative, typeRules, typeRulesAlways;   // ms
    uint64_t queries, copied;                        // one full RedrawColors
    double coreMs;                                   // core time per paint
};

class Bench {
public:
    static constexpr int kColumns = 80, kRows = 50;

    Bench() : memo_(host_.Handle(), 1) {
        memo_.SetColor(qm::clWhite);
        qm::TFont font;  // the program's editor font
        font.Color = qm::clBlack;
        memo_.SetFont(font);
        memo_.SetScrollBars(qm::TScrollStyle::ssBoth);
        AddRules(rules_);
        SizeFor(kColumns, kRows);
        Pump();
    }

    Figures Run(const char* name, size_t bytes, int repeats) {
        Figures f{};
        f.name = name;
        memo_.SetColorRules(none_);
        memo_.SetRedrawAlways(false);
        const double loadStart = Now();
        memo_.SetText(Document(bytes));
        const auto lines = static_cast<int>(SendMessageA(memo_.Handle(), EM_GETLINECOUNT, 0, 0));
        f.lines = lines;
        std::fprintf(stderr, "%s: %d lines loaded in %.1f s\n", name, lines, Now() - loadStart);
        // The document's middle line in the middle of the window.
        const int middle = lines / 2;
        SendMessageA(memo_.Handle(), EM_LINESCROLL, 0, std::max(middle - kRows / 2, 0));
        const int caret = static_cast<int>(SendMessageA(memo_.Handle(), EM_LINEINDEX, middle, 0)) + 10;
        memo_.SetSelection(caret, 0);
        memo_.SetFocus();
        Pump();
        UpdateWindow(memo_.Handle());

        // One full RedrawColors with the rules, counted (copying the lines,
        // as every paint after a change does).
        memo_.SetColorRules(rules_);
        Repaint();
        memo_.ForgetCopiedText();
        memo_.ResetStats();
        memo_.RedrawColors(nullptr, false);
        f.queries = memo_.Stats().Queries;
        f.copied = memo_.Stats().CopiedChars;

        // The kinds of work in turn, so that drift of the machine's load
        // and of the native control's state touches all alike.
        std::vector<double> paintNative, paintRules, typeNative, typeRules, typeAlways, core;
        for (int i = 0; i < repeats; ++i) {
            memo_.SetColorRules(none_);
            memo_.SetRedrawAlways(false);
            paintNative.push_back(Repaint());
            typeNative.push_back(Type());
            memo_.SetColorRules(rules_);
            const uint64_t coreBefore = memo_.Stats().CoreTicks;
            paintRules.push_back(Repaint());
            core.push_back(TicksToMs(memo_.Stats().CoreTicks - coreBefore));
            typeRules.push_back(Type());
            memo_.SetRedrawAlways(true);
            typeAlways.push_back(Type());
        }
        f.paintNative = Median(paintNative);
        f.paintRules = Median(paintRules);
        f.coreMs = Median(core);
        f.typeNative = Median(typeNative);
        f.typeRules = Median(typeRules);
        f.typeRulesAlways = Median(typeAlways);
        return f;
    }

private:
    void SizeFor(int columns, int rows) {
        HDC dc = GetDC(memo_.Handle());
        HFONT font = reinterpret_cast<HFONT>(SendMessageA(memo_.Handle(), WM_GETFONT, 0, 0));
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA metrics{};
        GetTextMetricsA(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(memo_.Handle(), dc);
        const int width = columns * metrics.tmAveCharWidth, height = rows * metrics.tmHeight + 2;
        memo_.SetBounds(0, 0, width, height);
        RECT client;
        GetClientRect(memo_.Handle(), &client);
        const int outerWidth = 2 * width - client.right, outerHeight = 2 * height - client.bottom;
        memo_.SetBounds(0, 0, outerWidth, outerHeight);
        RECT frame{0, 0, outerWidth, outerHeight};
        AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
        SetWindowPos(host_.Handle(), HWND_TOP, 0, 0, frame.right - frame.left, frame.bottom - frame.top, SWP_NOMOVE);
    }

    // The whole control painted again: the native control, then the colours.
    double Repaint() {
        const double start = Now();
        RedrawWindow(memo_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return (Now() - start) * 1000;
    }

    // One typed character, its change handling and the repaint it asks for;
    // the character is taken back again outside the measurement.
    double Type() {
        const double start = Now();
        SendMessageA(memo_.Handle(), WM_CHAR, 'x', 1);
        UpdateWindow(memo_.Handle());
        const double time = (Now() - start) * 1000;
        SendMessageA(memo_.Handle(), WM_CHAR, VK_BACK, 1);
        UpdateWindow(memo_.Handle());
        return time;
    }

    static double TicksToMs(uint64_t ticks) {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(ticks) * 1000.0 / static_cast<double>(f.QuadPart);
    }

    Host host_;
    TColorMemo memo_;
    qm::TDrawRules none_, rules_;  // no rules; the three rules of the program's editors
};

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    Bench bench;
    std::vector<Figures> all;
    all.push_back(bench.Run("10KB", 10 * 1000, 31));
    all.push_back(bench.Run("1MB", 1000 * 1000, 21));
    all.push_back(bench.Run("10MB", 10 * 1000 * 1000, 21));

    for (const Figures& f : all) {
        std::printf("[%s] lines=%d\n", f.name, f.lines);
        std::printf("  repaint_native_ms=%.2f\n", f.paintNative);
        std::printf("  repaint_rules_ms=%.2f\n", f.paintRules);
        std::printf("  typing_native_ms=%.2f\n", f.typeNative);
        std::printf("  typing_rules_ms=%.2f\n", f.typeRules);
        std::printf("  typing_rules_redrawalways_ms=%.2f\n", f.typeRulesAlways);
        std::printf("  queries_per_full_redraw=%llu\n", static_cast<unsigned long long>(f.queries));
        std::printf("  copied_chars_per_full_redraw=%llu\n", static_cast<unsigned long long>(f.copied));
        std::printf("  core_ms_per_paint=%.4f\n", f.coreMs);
    }
    const Figures& small = all.front();
    const Figures& big = all.back();
    std::printf("copied_ratio_10MB_to_10KB=%.3f\n", static_cast<double>(big.copied) / static_cast<double>(small.copied));
    std::printf("queries_ratio_10MB_to_10KB=%.3f\n", static_cast<double>(big.queries) / static_cast<double>(small.queries));
    std::printf("core_ratio_10MB_to_10KB=%.3f\n", big.coreMs / small.coreMs);
    for (const Figures& f : all) {
        const double typing = std::max(f.typeRules, f.typeRulesAlways);
        std::printf("paint_overhead_%s=%.3f\n", f.name, (f.paintRules - f.paintNative) / f.paintNative);
        std::printf("typing_overhead_%s=%.3f\n", f.name, (typing - f.typeNative) / f.typeNative);
    }
    return 0;
}
