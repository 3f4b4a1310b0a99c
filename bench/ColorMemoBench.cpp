// Benchmark of the colouring editor: does a paint, or a typed character,
// cost more because the document is long, and what does colouring add to
// the native control's own cost?
//
// Loads generated HTML (UTF-8 with letters of other scripts and an emoji in
// every row, decoded) of about 10 KB, 1 MB and 10 MB into a real TColorMemo
// in a window of about 80 x 50 lines, scrolled to the middle, and prints per
// size the median times of the native control's own repaint (no rules), of a
// repaint with the rules of the program's editors, and of one typed
// character through to the repaint done, without and with the rules; what
// one full RedrawColors asks of the native control and copies out of it;
// and the time spent in the window-free core per paint. The same for a
// minified page (one line of 10 KB and of 1 MB, scrolled to the line's
// middle), and the time from a 10 MB file to the first full paint of a new
// editor (read, decoded from UTF-8, loaded, painted), against the bare
// Unicode EDIT control's WM_SETTEXT of the same text.
// The last lines are the ratios: what colouring adds to a repaint and to a
// typed character per size, the colouring time of the long line against the
// short one's, and the opening against the bare control.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/DocumentFile.h"
#include "app/HtmlColorRules.h"
#include "bench/BenchSupport.h"
#include "editor/ColorMemo.h"
#include "ui/Utf.h"
#include "ui/WideText.h"
#include "ui/Window.h"

namespace {

using qm::TColorMemo;
using qmbench::Document;
using qmbench::MinifiedDocument;
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

struct Figures {
    const char* name;
    int lines;
    double paintNative, paintRules;                  // ms
    double typeNative, typeRules, typeRulesAlways;   // ms
    uint64_t queries, copied;                        // one full RedrawColors
    double coreMs;                                   // core time per paint
    // Time the control spent colouring (copying, scanning, drawing) in a
    // repaint and in a typed character, without and with RedrawAlways.
    double paintColourMs, typeColourMs, typeColourAlwaysMs;
};

// The time of a piece of work, and what of it the control spent colouring.
struct Timed {
    double ms, colourMs;
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
        qm::AddHtmlColorRules(rules_);
        SizeFor(kColumns, kRows);
        Pump();
    }

    Figures Run(const char* name, const std::wstring& text, int repeats) {
        Figures f{};
        f.name = name;
        memo_.SetColorRules(none_);
        memo_.SetRedrawAlways(false);
        const double loadStart = Now();
        memo_.SetText(text);
        const auto lines = static_cast<int>(SendMessageW(memo_.Handle(), EM_GETLINECOUNT, 0, 0));
        f.lines = lines;
        std::fprintf(stderr, "%s: %d lines loaded in %.1f s\n", name, lines, Now() - loadStart);
        if (lines > 1) {
            // The document's middle line in the middle of the window.
            const int middle = lines / 2;
            SendMessageW(memo_.Handle(), EM_LINESCROLL, 0, std::max(middle - kRows / 2, 0));
            memo_.SetSelection(static_cast<int>(SendMessageW(memo_.Handle(), EM_LINEINDEX, middle, 0)) + 10, 0);
        } else {
            // One long line: its middle in view, the caret there.
            memo_.SetSelection(static_cast<int>(text.size() / 2), 0);
        }
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
        std::vector<double> paintColour, typeColour, typeColourAlways;
        for (int i = 0; i < repeats; ++i) {
            memo_.SetColorRules(none_);
            memo_.SetRedrawAlways(false);
            paintNative.push_back(Repaint().ms);
            typeNative.push_back(Type().ms);
            memo_.SetColorRules(rules_);
            const uint64_t coreBefore = memo_.Stats().CoreTicks;
            const Timed paint = Repaint();
            core.push_back(TicksToMs(memo_.Stats().CoreTicks - coreBefore));
            paintRules.push_back(paint.ms);
            paintColour.push_back(paint.colourMs);
            const Timed typed = Type();
            typeRules.push_back(typed.ms);
            typeColour.push_back(typed.colourMs);
            memo_.SetRedrawAlways(true);
            const Timed typedAlways = Type();
            typeAlways.push_back(typedAlways.ms);
            typeColourAlways.push_back(typedAlways.colourMs);
        }
        f.paintNative = Median(paintNative);
        f.paintRules = Median(paintRules);
        f.coreMs = Median(core);
        f.typeNative = Median(typeNative);
        f.typeRules = Median(typeRules);
        f.typeRulesAlways = Median(typeAlways);
        f.paintColourMs = Median(paintColour);
        f.typeColourMs = Median(typeColour);
        f.typeColourAlwaysMs = Median(typeColourAlways);
        return f;
    }

    // A 10 MB UTF-8 file opened in a new editor, as a document is opened
    // (read, normalised, decoded, loaded while the editor is hidden, then
    // shown), to its first full paint with the rules; against WM_SETTEXT of
    // the same (decoded) text into a bare Unicode EDIT control of the same
    // size, style and font. The two alternate, so that drift of the
    // machine's load touches both alike.
    struct OpenFigures {
        double bareSetText, open;          // ms
        double read, load, show;  // ms: of the opening, the file read and decoded, SetText, shown to the first paint
    };
    OpenFigures Open(const std::string& text, int repeats) {
        char folder[MAX_PATH];
        const DWORD got = GetTempPathA(MAX_PATH, folder);
        const std::string path = std::string(got > 0 && got < MAX_PATH ? folder : ".\\") + "qm_open_bench.htm";
        if (FILE* file = std::fopen(path.c_str(), "wb")) {
            std::fwrite(text.data(), 1, text.size(), file);
            std::fclose(file);
        }
        const HFONT font = reinterpret_cast<HFONT>(SendMessageW(memo_.Handle(), WM_GETFONT, 0, 0));
        memo_.SetText(L"");
        memo_.SetVisible(false);
        const std::wstring wide(qm::AsWide(qm::ReadDocumentFile(path).Text));
        std::vector<double> bare, open, read, load, show;
        for (int i = 0; i < repeats; ++i) {
            HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                                        WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL |
                                            WS_VSCROLL | WS_HSCROLL,
                                        0, 0, memo_.Width(), memo_.Height(), host_.Handle(), nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
            SendMessageW(edit, EM_SETLIMITTEXT, 0, 0);
            SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            UpdateWindow(edit);
            Pump();
            double start = Now();
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()));
            bare.push_back((Now() - start) * 1000);
            DestroyWindow(edit);
            Pump();

            auto editor = std::make_unique<TColorMemo>(host_.Handle(), 2);
            editor->SetVisible(false);
            editor->SetScrollBars(qm::TScrollStyle::ssBoth);
            editor->SetColorRules(rules_);
            editor->SetFont(memo_.Font());
            editor->SetColor(qm::clWhite);
            editor->SetBounds(0, 0, memo_.Width(), memo_.Height());
            Pump();
            start = Now();
            // The program's own opening: the file read, its encoding found and decoded.
            const qm::TDecodedText decoded = qm::ReadDocumentFile(path);
            const double readDone = Now();
            editor->SetText(qm::AsWide(decoded.Text));
            editor->SetModified(false);
            const double loadDone = Now();
            editor->SetVisible(true);
            UpdateWindow(editor->Handle());
            const double end = Now();
            open.push_back((end - start) * 1000);
            read.push_back((readDone - start) * 1000);
            load.push_back((loadDone - readDone) * 1000);
            show.push_back((end - loadDone) * 1000);
            std::fprintf(stderr,
                         "open: bare WM_SETTEXT %.0f ms, file to first paint %.0f ms (read and decode %.0f, SetText "
                         "%.0f, shown %.0f)\n",
                         bare.back(), open.back(), read.back(), load.back(), show.back());
            editor.reset();
            Pump();
        }
        DeleteFileA(path.c_str());
        memo_.SetVisible(true);
        return {Median(bare), Median(open), Median(read), Median(load), Median(show)};
    }

private:
    void SizeFor(int columns, int rows) {
        HDC dc = GetDC(memo_.Handle());
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(memo_.Handle(), WM_GETFONT, 0, 0));
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
    Timed Repaint() {
        const uint64_t colourBefore = memo_.Stats().ColourTicks;
        const double start = Now();
        RedrawWindow(memo_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        return {(Now() - start) * 1000, TicksToMs(memo_.Stats().ColourTicks - colourBefore)};
    }

    // One typed character ("é"), its change handling and the repaint it asks
    // for; the character is taken back again outside the measurement.
    Timed Type() {
        const uint64_t colourBefore = memo_.Stats().ColourTicks;
        const double start = Now();
        SendMessageW(memo_.Handle(), WM_CHAR, 0xE9, 1);
        UpdateWindow(memo_.Handle());
        const Timed time{(Now() - start) * 1000, TicksToMs(memo_.Stats().ColourTicks - colourBefore)};
        SendMessageW(memo_.Handle(), WM_CHAR, VK_BACK, 1);
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

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    Bench bench;
    std::vector<Figures> all;
    // "minified": only the minified page's two lines (a quick look while
    // working on long lines).
    if (argc > 1 && std::string(argv[1]) == "minified") {
        const Figures shortLine = bench.Run("minified_10KB", qm::Widen(MinifiedDocument(10 * 1000)), 21);
        const Figures longLine = bench.Run("minified_1MB", qm::Widen(MinifiedDocument(1000 * 1000)), 11);
        for (const Figures& f : {shortLine, longLine}) {
            std::printf("[%s] repaint native/rules %.2f/%.2f ms, colouring %.2f ms (core %.3f ms); typing native/rules "
                        "%.2f/%.2f ms, colouring %.2f/%.2f ms (RedrawAlways); a full redraw asks %llu, copies %llu\n",
                        f.name, f.paintNative, f.paintRules, f.paintColourMs, f.coreMs, f.typeNative, f.typeRules,
                        f.typeColourMs, f.typeColourAlwaysMs, static_cast<unsigned long long>(f.queries),
                        static_cast<unsigned long long>(f.copied));
        }
        std::printf("minified_paint_ratio=%.3f\n", longLine.paintColourMs / shortLine.paintColourMs);
        std::printf("minified_typing_ratio=%.3f\n",
                    std::max(longLine.typeColourMs, longLine.typeColourAlwaysMs) /
                        std::max(shortLine.typeColourMs, shortLine.typeColourAlwaysMs));
        return 0;
    }
    all.push_back(bench.Run("10KB", qm::Widen(Document(10 * 1000)), 31));
    all.push_back(bench.Run("1MB", qm::Widen(Document(1000 * 1000)), 21));
    all.push_back(bench.Run("10MB", qm::Widen(Document(10 * 1000 * 1000)), 21));
    all.push_back(bench.Run("minified_10KB", qm::Widen(MinifiedDocument(10 * 1000)), 21));
    all.push_back(bench.Run("minified_1MB", qm::Widen(MinifiedDocument(1000 * 1000)), 11));
    const Bench::OpenFigures open = bench.Open(Document(10 * 1000 * 1000), 5);

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
        std::printf("  colouring_ms_per_repaint=%.2f\n", f.paintColourMs);
        std::printf("  colouring_ms_per_typed_char=%.2f\n", f.typeColourMs);
        std::printf("  colouring_ms_per_typed_char_redrawalways=%.2f\n", f.typeColourAlwaysMs);
    }
    std::printf("[open_10MB]\n");
    std::printf("  bare_settext_ms=%.1f\n", open.bareSetText);
    std::printf("  file_to_first_paint_ms=%.1f\n", open.open);
    std::printf("  read_and_decode_ms=%.1f\n", open.read);
    std::printf("  set_text_ms=%.1f\n", open.load);
    std::printf("  show_and_first_paint_ms=%.1f\n", open.show);

    const Figures& small = all[0];
    const Figures& big = all[2];
    const Figures& shortLine = all[3];
    const Figures& longLine = all[4];
    std::printf("copied_ratio_10MB_to_10KB=%.3f\n", static_cast<double>(big.copied) / static_cast<double>(small.copied));
    std::printf("queries_ratio_10MB_to_10KB=%.3f\n", static_cast<double>(big.queries) / static_cast<double>(small.queries));
    std::printf("core_ratio_10MB_to_10KB=%.3f\n", big.coreMs / small.coreMs);
    // Typing with the rules counts the slower of the two ways of repainting
    // after a change (RedrawAlways off and on).
    auto typing = [](const Figures& f) { return std::max(f.typeRules, f.typeRulesAlways); };
    // The native control's own work grows with the line under Wine (it
    // measures the whole line): these are the totals of the long line against
    // the short one; the minified ratios at the end compare only the time
    // the control spent colouring.
    auto typingColour = [](const Figures& f) { return std::max(f.typeColourMs, f.typeColourAlwaysMs); };
    std::printf("minified_native_paint_ratio=%.3f\n", longLine.paintNative / shortLine.paintNative);
    std::printf("minified_native_typing_ratio=%.3f\n", longLine.typeNative / shortLine.typeNative);
    std::printf("minified_total_paint_ratio=%.3f\n", longLine.paintRules / shortLine.paintRules);
    std::printf("minified_total_typing_ratio=%.3f\n", typing(longLine) / typing(shortLine));
    for (size_t i = 0; i < 3; ++i) {
        const Figures& f = all[i];
        std::printf("paint_overhead_%s=%.3f\n", f.name, (f.paintRules - f.paintNative) / f.paintNative);
        std::printf("typing_overhead_%s=%.3f\n", f.name, (typing(f) - f.typeNative) / f.typeNative);
    }
    std::printf("minified_paint_ratio=%.3f\n", longLine.paintColourMs / shortLine.paintColourMs);
    std::printf("minified_typing_ratio=%.3f\n", typingColour(longLine) / typingColour(shortLine));
    std::printf("open_ratio_10MB=%.3f\n", open.open / open.bareSetText);
    return 0;
}
