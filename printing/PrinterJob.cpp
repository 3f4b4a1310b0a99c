#include "printing/PrinterJob.h"

#include "ui/WideText.h"
#include "printing/Printers.h"
#include "ui/Application.h"
#include "ui/Font.h"
#include "ui/Errors.h"
#include "ui/SystemError.h"

namespace qm {

namespace {
bool g_printing = false;
}

TSpoolerCalls& SpoolerCalls() {
    static TSpoolerCalls calls;
    return calls;
}

bool TPrinterJob::Printing() { return g_printing; }

TPrinterJob::TPrinterJob() {
    if (g_printing) throw Error("Printing in progress");
    printer_ = CurrentPrinterName();
    if (printer_.empty()) throw Error("No printer is installed.");
    const std::vector<unsigned char>& settings = CurrentPrinterSettings();
    const auto* mode = settings.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(settings.data());
    dc_ = CreateDCW(L"WINSPOOL", Widen(printer_).c_str(), nullptr, mode);
    if (!dc_) ThrowLastError("Cannot open the printer " + printer_);
    // From here on a second start is refused, also while the spooler calls
    // the abort procedure during StartDoc.
    g_printing = true;
    try {
        pageWidth_ = GetDeviceCaps(dc_, HORZRES);
        pageHeight_ = GetDeviceCaps(dc_, VERTRES);
        SetFontSize(10);
        if (SetAbortProc(dc_, &TPrinterJob::AbortProc) <= 0) Fail("Cannot prepare the print job on " + printer_);
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = L"";
        if (SpoolerCalls().StartDocW(dc_, &document) <= 0) Fail("Cannot start the print job on " + printer_);
    } catch (...) {
        g_printing = false;
        if (oldFont_) SelectObject(dc_, oldFont_);
        DeleteDC(dc_);
        throw;
    }
    open_ = true;
}

TPrinterJob::~TPrinterJob() {
    if (open_) SpoolerCalls().AbortDoc(dc_);
    g_printing = false;
    if (oldFont_) SelectObject(dc_, oldFont_);
    DeleteDC(dc_);
}

void TPrinterJob::Fail(const std::string& what) {
    const DWORD code = GetLastError();
    // Some drivers report a failure without a reason.
    if (code == ERROR_SUCCESS) throw Error(what + ".");
    throw SystemError(what, code);
}

BOOL CALLBACK TPrinterJob::AbortProc(HDC, int) {
    // The job goes on whatever happens; the windows stay responsive.
    Guarded([] {
        Application().ProcessMessages();
        return 0;
    }, 0);
    return TRUE;
}

void TPrinterJob::SetFontSize(int points) {
    TFont font;
    font.Name = "MS Sans Serif";
    font.Height = -MulDiv(points, GetDeviceCaps(dc_, LOGPIXELSY), 72);
    Font made = CreateGdiFont(font);
    font_ = std::move(made);
    SelectFont();
    measured_ = {};
}

void TPrinterJob::SelectFont() {
    HGDIOBJ old = SelectObject(dc_, font_.Get());
    if (!old || old == HGDI_ERROR) ThrowLastError("Cannot choose the font on " + printer_);
    if (!oldFont_) oldFont_ = old;
    if (!GetTextMetricsW(dc_, &metrics_)) ThrowLastError("Cannot measure the font on " + printer_);
}

int TPrinterJob::TextWidth(std::u16string_view text) {
    // The layout measures a piece to see that it fits, then again to move on
    // after it: the second time comes from here.
    if (text.data() == measured_.data() && text.size() == measured_.size()) return measuredWidth_;
    SIZE size{};
    if (!GetTextExtentPoint32W(dc_, AsWide(text).data(), static_cast<int>(text.size()), &size)) {
        ThrowLastError("Cannot measure text on " + printer_);
    }
    measured_ = text;
    measuredWidth_ = size.cx;
    return size.cx;
}

// Text of one font is as high as the font, whatever the characters.
int TPrinterJob::TextHeight(std::u16string_view) { return metrics_.tmHeight; }

void TPrinterJob::StartPage() {
    if (SpoolerCalls().StartPage(dc_) <= 0) Fail("The printer " + printer_ + " cannot start a page");
    // Some systems reset the device context with every page.
    SelectFont();
}

void TPrinterJob::EndPage() {
    if (SpoolerCalls().EndPage(dc_) <= 0) Fail("The printer " + printer_ + " cannot finish a page");
    // The spooler calls the abort procedure while it works; not every one
    // does so at every page, so the windows get their messages here as well.
    AbortProc(dc_, 0);
}

void TPrinterJob::DrawText(int x, int y, std::u16string_view text) {
    // Each character goes exactly where the measurements put it: left to
    // itself, a printer driver spaces the characters by metrics of its own,
    // and a line measured to fit could run over the edge of the page.
    const int count = static_cast<int>(text.size());
    advances_.resize(text.size());
    SIZE size{};
    const std::wstring_view wide = AsWide(text);
    if (!GetTextExtentExPointW(dc_, wide.data(), count, 0, nullptr, advances_.data(), &size)) {
        ThrowLastError("Cannot measure text on " + printer_);
    }
    for (int i = count - 1; i > 0; --i) advances_[static_cast<size_t>(i)] -= advances_[static_cast<size_t>(i - 1)];
    if (!ExtTextOutW(dc_, x, y, 0, nullptr, wide.data(), static_cast<UINT>(count), advances_.data())) {
        ThrowLastError("Cannot print text on " + printer_);
    }
}

void TPrinterJob::Close() {
    device_.Finish();
    if (SpoolerCalls().EndDoc(dc_) <= 0) Fail("The printer " + printer_ + " cannot finish the print job");
    open_ = false;
}

}  // namespace qm
