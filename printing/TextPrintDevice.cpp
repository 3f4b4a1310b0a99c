#include "printing/TextPrintDevice.h"

#include <algorithm>
#include <vector>

#include "editor/TextUnits.h"

namespace qm {

void TextPrintDevice::Write(std::u16string_view text) {
    size_t runStart = 0;
    size_t i = 0;
    auto flush = [&] {
        if (i > runStart) PrintRun(text.substr(runStart, i - runStart));
    };
    while (i < text.size()) {
        const char16_t c = text[i];
        if (c != u'\t' && c != u'\n' && c != u'\f' && c != u'\r') {
            i += UnitsAt(text, i);
            continue;
        }
        flush();
        if (c == u'\t') {
            const int stop = std::max(1, surface_.AverageCharWidth() * 8);
            x_ = (x_ / stop + 1) * stop;
            if (x_ > surface_.PageWidth()) NewLine();
        } else if (c == u'\n') {
            NewLine();
        } else if (c == u'\f') {
            NewPage();
        }
        ++i;
        runStart = i;
    }
    flush();
}

void TextPrintDevice::PrintRun(std::u16string_view text) {
    while (!text.empty()) {
        size_t length = FittingLength(text, surface_.PageWidth() - x_);
        if (length == 0) {
            if (x_ > 0) {
                NewLine();
                continue;
            }
            // Not even one character fits a whole line: print it anyway, or
            // the text would never get printed at all.
            length = UnitsAt(text, 0);
        }
        const std::u16string_view piece = text.substr(0, length);
        const int height = surface_.TextHeight(piece);
        // Nothing printed on this line yet: text that would reach below the
        // page goes to the top of the next one.
        if (tallest_ == 0 && y_ > 0 && y_ + height > surface_.PageHeight()) {
            NewPage();
            continue;
        }
        EnsurePage();
        surface_.DrawText(x_, y_, piece);
        tallest_ = std::max(tallest_, height);
        text.remove_prefix(length);
        if (text.empty()) {
            x_ += surface_.TextWidth(piece);
        } else {
            NewLine();
        }
    }
}

size_t TextPrintDevice::FittingLength(std::u16string_view text, int room) {
    // A line of ordinary length is measured once, whole.
    constexpr size_t kMeasuredWhole = 1024;
    if (text.size() <= kMeasuredWhole && surface_.TextWidth(text) <= room) return text.size();
    // Ends of the first characters, found only as far as the search needs
    // them: the count doubles until a run does not fit, then the interval is
    // halved, so cutting a very long line costs a few measurements per piece.
    std::vector<size_t> ends;
    auto endOf = [&](size_t count) {  // end of the first `count` characters
        while (ends.size() < count) {
            const size_t at = ends.empty() ? 0 : ends.back();
            if (at >= text.size()) return text.size();
            ends.push_back(at + UnitsAt(text, at));
        }
        return ends[count - 1];
    };
    auto fits = [&](size_t count) { return surface_.TextWidth(text.substr(0, endOf(count))) <= room; };
    size_t good = 0;  // a count that fits (0 always does)
    size_t bad = 0;   // a count that does not (0: none found yet)
    for (size_t count = 1;; count *= 2) {
        const bool whole = endOf(count) >= text.size();
        if (!fits(count)) {
            bad = count;
            break;
        }
        good = count;
        if (whole) return text.size();
    }
    while (bad - good > 1) {
        const size_t middle = good + (bad - good) / 2;
        if (fits(middle)) {
            good = middle;
        } else {
            bad = middle;
        }
    }
    return good == 0 ? 0 : endOf(good);
}

void TextPrintDevice::NewLine() {
    x_ = 0;
    const bool printed = tallest_ > 0;
    const int height = printed ? tallest_ + 2 : surface_.FontHeight();
    y_ += height;
    tallest_ = 0;
    if (printed ? y_ > surface_.PageHeight() - 2 * height : y_ > surface_.PageHeight()) NewPage();
}

void TextPrintDevice::EnsurePage() {
    if (pageOpen_) return;
    surface_.StartPage();
    pageOpen_ = true;
}

void TextPrintDevice::NewPage() {
    EnsurePage();
    pageOpen_ = false;
    surface_.EndPage();
    ++pagesEnded_;
    x_ = 0;
    y_ = 0;
    tallest_ = 0;
}

void TextPrintDevice::Finish() {
    if (pageOpen_ || pagesEnded_ == 0) NewPage();
}

}  // namespace qm
