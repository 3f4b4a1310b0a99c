#include "PrintSupport.h"

#include <stdexcept>

#include "RunningProgram.h"
#include "TestSupport.h"

namespace qmtest {

namespace {

const std::string kPdfDir = QM_PDF_DIR;
const std::string kState = QM_PRINT_STATE;

}  // namespace

std::string UnixOutput(const std::string& command) {
    const std::string out = kState + "/command.out";
    const int code = RunUnix("(" + command + ") > '" + out + "' 2>&1");
    if (code != 0) {
        throw std::runtime_error("failed (" + std::to_string(code) + "): " + command + ": " + ReadBytes(WindowsPathFromUnix(out)));
    }
    return ReadBytes(WindowsPathFromUnix(out));
}

namespace {

bool QueuesIdle() { return UnixOutput("lpstat -o || true").empty(); }

}  // namespace

int RunUnix(const std::string& command) {
    // Wine hands its own PATH on to Unix programs, and the process it
    // reports may end before the program does: the shell writes its exit
    // code down when it is done.
    const std::string status = kState + "/command.status";
    DeleteFileA(WindowsPathFromUnix(status).c_str());
    std::string line = "/bin/sh -c \"PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin; " + command +
                       "; echo $? > '" + status + "'\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        throw std::runtime_error("cannot run " + command);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const std::string written = WindowsPathFromUnix(status);
    if (!WaitUntil([&] { return FileExists(written) && !ReadBytes(written).empty(); }, 60000)) return -1;
    try {
        return std::stoi(ReadBytes(WindowsPathFromUnix(status)));
    } catch (const std::exception&) {
        return -1;
    }
}

void PrintServer(const std::string& command, const std::string& queue) {
    const std::string line = "'" + std::string(QM_PRINT_SCRIPT) + "' " + command + " '" + kState + "' " + queue;
    if (RunUnix(line) != 0) throw std::runtime_error("failed: " + line);
}

PdfOutput::PdfOutput() : before_(Files()) {}

PdfOutput::~PdfOutput() {
    for (const std::string& name : Files()) {
        if (!before_.count(name)) DeleteFileA(WindowsPathFromUnix(kPdfDir + "/" + name).c_str());
    }
}

std::set<std::string> PdfOutput::Files() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(WindowsPathFromUnix(kPdfDir + "/*.pdf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        names.insert(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::string PdfOutput::WaitForNew(DWORD timeoutMs) {
    std::string found;
    WaitUntil(
        [&] {
            if (!QueuesIdle()) return false;
            for (const std::string& name : Files()) {
                if (!before_.count(name) && !seen_.count(name)) {
                    found = name;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (found.empty()) return {};
    seen_.insert(found);
    return kPdfDir + "/" + found;
}

bool PdfOutput::NothingCame(DWORD waitMs) {
    Sleep(waitMs);
    WaitUntil(QueuesIdle, 30000);
    for (const std::string& name : Files()) {
        if (!before_.count(name) && !seen_.count(name)) return false;
    }
    return true;
}

std::string PdfOutput::QueueOf(const std::string& pdf) {
    const size_t at = pdf.rfind("job_");
    if (at == std::string::npos) return {};
    const std::string job = "-" + std::to_string(std::stoi(pdf.substr(at + 4))) + " ";
    for (const std::string queue : {"PDF", "PDF2"}) {
        if (UnixOutput("lpstat -W completed -o " + queue).find(queue + job) != std::string::npos) return queue;
    }
    return {};
}

std::string PdfOutput::Text(const std::string& pdf) { return UnixOutput("pdftotext -layout '" + pdf + "' -"); }

int PdfOutput::Pages(const std::string& pdf) {
    const std::string info = UnixOutput("pdfinfo '" + pdf + "'");
    const size_t at = info.find("Pages:");
    if (at == std::string::npos) throw std::runtime_error("no page count for " + pdf);
    return std::stoi(info.substr(at + 6));
}

std::string PdfOutput::PageSize(const std::string& pdf) {
    const std::string info = UnixOutput("pdfinfo '" + pdf + "'");
    const size_t at = info.find("Page size:");
    if (at == std::string::npos) return {};
    const size_t start = info.find_first_not_of(' ', at + 10);
    return info.substr(start, info.find('\n', start) - start);
}

}  // namespace qmtest
