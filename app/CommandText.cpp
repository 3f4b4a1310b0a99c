#include "app/CommandText.h"

namespace qm {

std::string HtmlColorText(uint32_t rgb) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text = "#";
    for (int shift : {0, 8, 16}) {  // red, green, blue
        const unsigned byte = (rgb >> shift) & 0xFF;
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0xF];
    }
    return text;
}

std::string BrowserCommandLine(const std::string& browser, const std::string& document) {
    const bool quote = document.find(' ') != std::string::npos;
    return browser + " " + (quote ? "\"" + document + "\"" : document);
}

std::string CommentText(const std::string& comment) { return "<!--" + comment + "-->"; }

}  // namespace qm
