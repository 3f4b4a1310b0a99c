#include "printing/PrintText.h"

namespace qm {

std::vector<std::u16string_view> EditorLines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t breakAt = text.find(u"\r\n", start);
        if (breakAt == std::u16string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, breakAt - start));
        start = breakAt + 2;
    }
    return lines;
}

}  // namespace qm
