#include "bench/BenchSupport.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace qmbench {

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

namespace {

std::string Rows(size_t bytes, const char* lineBreak) {
    std::string text;
    text.reserve(bytes + 200);
    for (int row = 0; text.size() < bytes; ++row) {
        char number[16];
        std::snprintf(number, sizeof number, "%07d", row);
        const std::string n = number;
        text += "<tr><td class=\"c" + std::to_string(row % 13) + "\">cell " + n + "</td><td><a href=\"page" + n +
                ".htm\">link</a></td><td>caf\u00e9 \u2014 \u65e5\u672c \U0001F600</td><!-- row " + n + " --></tr>" +
                lineBreak;
    }
    return text;
}

}  // namespace

std::string Document(size_t bytes) { return Rows(bytes, "\r\n"); }

std::string MinifiedDocument(size_t bytes) { return Rows(bytes, ""); }

}  // namespace qmbench
