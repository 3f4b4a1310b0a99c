// What the printing tests need of the real printer: the print server script
// (queues added and removed), Unix commands run from the Windows test
// program, and the PDF files cups-pdf writes for each job.
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace qmtest {

// Runs a command line with /bin/sh (no double quotes in it); its exit code.
int RunUnix(const std::string& command);
// What a command line writes to its standard output (and errors).
std::string UnixOutput(const std::string& command);
// Runs scripts/print-server.sh with a command and a queue name.
void PrintServer(const std::string& command, const std::string& queue = "");

// The PDF files that appear in ~/PDF from the moment this object is made;
// they are deleted when it goes.
class PdfOutput {
public:
    PdfOutput();
    ~PdfOutput();
    PdfOutput(const PdfOutput&) = delete;
    PdfOutput& operator=(const PdfOutput&) = delete;

    // Waits for the next new file, complete (no job left in any queue);
    // its Unix path, "" when none came within `timeoutMs`.
    std::string WaitForNew(DWORD timeoutMs = 30000);
    // Whether any new file came after the queues emptied, waiting a while.
    bool NothingCame(DWORD waitMs = 6000);

    // pdftotext -layout: the text of all pages, a form feed after each.
    static std::string Text(const std::string& pdf);
    // pdfinfo: the page count, and the page size ("595 x 842 pts (A4)").
    static int Pages(const std::string& pdf);
    static std::string PageSize(const std::string& pdf);
    // The queue ("PDF" or "PDF2") whose job wrote the file.
    static std::string QueueOf(const std::string& pdf);

private:
    std::set<std::string> Files() const;
    std::set<std::string> before_;
    std::set<std::string> seen_;
};

}  // namespace qmtest
