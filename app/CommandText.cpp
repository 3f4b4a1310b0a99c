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

std::string ProgramCommandLine(const std::string& program, const std::string& argument) {
    std::string line = "\"" + program + "\"";
    if (argument.empty()) return line;
    const bool quote = argument.find(' ') != std::string::npos;
    return line + " " + (quote ? "\"" + argument + "\"" : argument);
}

std::string CommentText(const std::string& comment) { return "<!--" + comment + "-->"; }

}  // namespace qm
