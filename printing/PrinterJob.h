// A text print job on the current printer through the platform's spooler: a
// printer device context with the settings chosen for the printer, an abort
// procedure that keeps the program's windows responsive, a document with an
// empty name, and the pages TextPrintDevice lays out, in "MS Sans Serif",
// with the wide (UTF-16) text functions.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "printing/TextPrintDevice.h"
#include "ui/Gdi.h"

namespace qm {

// The spooler functions a job calls. The program uses the system's; tests
// replace one to make the spooler fail in the middle of a real job.
struct TSpoolerCalls {
    int(WINAPI* StartDocW)(HDC, const DOCINFOW*) = ::StartDocW;
    int(WINAPI* StartPage)(HDC) = ::StartPage;
    int(WINAPI* EndPage)(HDC) = ::EndPage;
    int(WINAPI* EndDoc)(HDC) = ::EndDoc;
    int(WINAPI* AbortDoc)(HDC) = ::AbortDoc;
};
TSpoolerCalls& SpoolerCalls();

class TPrinterJob final : public TPrintSurface {
public:
    // Starts a job on the current printer. Throws Error when there is no
    // printer, when a job is open already ("Printing in progress") or when
    // the printer or the spooler refuses.
    TPrinterJob();
    // A job that was not closed is aborted: nothing of it comes out.
    ~TPrinterJob() override;
    TPrinterJob(const TPrinterJob&) = delete;
    TPrinterJob& operator=(const TPrinterJob&) = delete;

    // Whether a job is open now.
    static bool Printing();

    const std::string& PrinterName() const { return printer_; }
    // The font for the rest of the job: "MS Sans Serif" at this size in
    // points, for the printer's resolution.
    void SetFontSize(int points);
    TextPrintDevice& Device() { return device_; }
    // Ends the last page and the job, which the spooler then prints.
    void Close();

    // TPrintSurface
    int TextWidth(std::u16string_view text) override;
    int TextHeight(std::u16string_view text) override;
    int AverageCharWidth() override { return metrics_.tmAveCharWidth; }
    int FontHeight() override { return metrics_.tmHeight; }
    int PageWidth() override { return pageWidth_; }
    int PageHeight() override { return pageHeight_; }
    void StartPage() override;
    void EndPage() override;
    void DrawText(int x, int y, std::u16string_view text) override;

private:
    static BOOL CALLBACK AbortProc(HDC dc, int error);
    // Throws the spooler's error about this job.
    [[noreturn]] void Fail(const std::string& what);
    void SelectFont();

    std::string printer_;
    HDC dc_ = nullptr;
    bool open_ = false;  // between StartDoc and EndDoc / AbortDoc
    Font font_;
    HGDIOBJ oldFont_ = nullptr;
    TEXTMETRICW metrics_{};
    int pageWidth_ = 0;
    int pageHeight_ = 0;
    std::vector<int> advances_;  // of the characters drawn last
    std::u16string_view measured_;  // the text measured last, and its width
    int measuredWidth_ = 0;
    TextPrintDevice device_{*this};
};

}  // namespace qm
