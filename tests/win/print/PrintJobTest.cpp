// Print runs through the dialog onto a cups-pdf printer, checked in the PDF
// it writes: the lines in order, a form feed, an over-long line, a tab, the
// page count, the two font sizes; and what the dialog shows before, during
// and after a run.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <vector>

#include "PrintFixture.h"
#include "TestSupport.h"
#include "resources/resource.h"

namespace {

using qmtest::PdfOutput;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    return parts;
}

// The non-blank lines of a page of pdftotext output, right-trimmed.
std::vector<std::string> PageLines(const std::string& page) {
    std::vector<std::string> lines;
    for (std::string line : Split(page, '\n')) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.pop_back();
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

std::string Lines(int count, const std::string& prefix) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += prefix + std::to_string(i) + "\r\n";
    return text;
}

class PrintJob : public qmtest::PrintFormTest {};

TEST_F(PrintJob, PrintsEveryLineInOrderWithFormFeedLongLineAndTab) {
    std::string longLine;
    for (int i = 0; i < 40; ++i) longLine += "Abcdefghijklmnopqrstuvwxyz"[i % 26] + std::string("0123456789");
    const std::string text = "First line\r\nsecond after tab\r\nsecond\tafter tab\r\n" + longLine +
                             "\r\nlast of page one\r\n\fpage two starts\r\nCaf\u00e9 \u2014 na\u00efve \u0101 \u0401\r\nthe end";
    StartWith(text);
    OpenPrintDialog();
    EXPECT_EQ(Label(IDC_PRINT_LABEL1), "Untitled");
    EXPECT_EQ(Label(IDC_PRINT_LABEL2), "PDF");
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    PdfOutput output;
    Click("OK");
    EXPECT_FALSE(Print().Visible()) << "the dialog closes after the run";
    EXPECT_EQ(Label(IDC_PRINT_LABEL6), "Not started yet");
    EXPECT_EQ(Label(IDC_PRINT_LABEL1), "");
    const std::string pdf = output.WaitForNew();
    ASSERT_FALSE(pdf.empty()) << "no PDF came out";
    EXPECT_EQ(PdfOutput::Pages(pdf), 2);
    const std::vector<std::string> pages = Split(PdfOutput::Text(pdf), '\f');
    ASSERT_GE(pages.size(), 2u);
    const std::vector<std::string> one = PageLines(pages[0]);
    ASSERT_GE(one.size(), 6u);
    EXPECT_EQ(one[0], "First line");
    EXPECT_EQ(one[1], "second after tab");
    // The tab leaves a wider gap than the blank.
    EXPECT_TRUE(std::regex_match(one[2], std::regex("second {2,}after tab"))) << one[2];
    // The long line goes on, cut between characters, on the next printed lines.
    EXPECT_LT(one[3].size(), longLine.size());
    std::string joined;
    size_t next = 3;
    while (next < one.size() && joined.size() < longLine.size()) joined += one[next++];
    EXPECT_EQ(joined, longLine) << PdfOutput::Text(pdf);
    EXPECT_GT(next, 4u) << "printed on more than one line";
    ASSERT_LT(next, one.size());
    EXPECT_EQ(one[next], "last of page one");
    EXPECT_EQ(PageLines(pages[1]),
              (std::vector<std::string>{"page two starts", "Caf\u00e9 \u2014 na\u00efve \u0101 \u0401", "the end"}));
}

TEST_F(PrintJob, SmallFontFitsMoreLinesOnAPageAndTheBoxIsUntickedAfterwards) {
    StartWith(Lines(150, "Line "));
    int perPage[2] = {0, 0};
    int pageCount[2] = {0, 0};
    for (int small = 0; small < 2; ++small) {
        OpenPrintDialog();
        EXPECT_FALSE(SmallFontTicked()) << "the choice is not carried over";
        if (small) Click("Smal font size");
        PdfOutput output;
        Click("OK");
        const std::string pdf = output.WaitForNew();
        ASSERT_FALSE(pdf.empty());
        const std::vector<std::string> pages = Split(PdfOutput::Text(pdf), '\f');
        pageCount[small] = PdfOutput::Pages(pdf);
        perPage[small] = static_cast<int>(PageLines(pages[0]).size());
        // Every line, in order, over all pages.
        std::vector<std::string> all;
        for (const std::string& page : pages) {
            for (const std::string& line : PageLines(page)) all.push_back(line);
        }
        ASSERT_EQ(all.size(), 150u);
        for (int i = 0; i < 150; ++i) EXPECT_EQ(all[static_cast<size_t>(i)], "Line " + std::to_string(i + 1));
        // Full pages but the last: the page count follows from the lines per page.
        EXPECT_EQ(pageCount[small], (150 + perPage[small] - 1) / perPage[small]);
    }
    EXPECT_GT(perPage[1], perPage[0]) << "8 points fit more lines than 10";
    EXPECT_LT(pageCount[1], pageCount[0]);
    EXPECT_FALSE(SmallFontTicked());
}

TEST_F(PrintJob, OkPrintsTheTabCurrentNowAndProgressCoversEveryLine) {
    StartWith("first document\r\n");
    OpenPrintDialog();
    Command(ID_FILE_NEW);
    Form().CurrentEditor().SetText(L"second document\r\nline two\r\nline three");
    EXPECT_EQ(Label(IDC_PRINT_LABEL1), "Untitled") << "still the name shown at first";
    PdfOutput output;
    int lastPosition = -1;
    int maximum = -1;
    static PrintJob* self;
    self = this;
    static int* last;
    static int* max;
    last = &lastPosition;
    max = &maximum;
    // At the end of the job the progress bar stands at the last line.
    struct WatchingSpooler {
        static int WINAPI EndDoc(HDC dc) {
            *last = self->ProgressPosition();
            *max = static_cast<int>(SendMessageA(self->Print().Item(IDC_PRINT_PROGRESS1), PBM_GETRANGE, FALSE, 0));
            return ::EndDoc(dc);
        }
    };
    qm::SpoolerCalls().EndDoc = WatchingSpooler::EndDoc;
    Click("OK");
    EXPECT_EQ(lastPosition, 2);
    EXPECT_EQ(maximum, 2);
    const std::string pdf = output.WaitForNew();
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(PdfOutput::Pages(pdf), 1);
    EXPECT_EQ(PageLines(Split(PdfOutput::Text(pdf), '\f').at(0)),
              (std::vector<std::string>{"second document", "line two", "line three"}));
}

}  // namespace
