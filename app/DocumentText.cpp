#include "app/DocumentText.h"

namespace qm {

std::size_t NormalizedLength(std::string_view bytes) {
    std::size_t length = bytes.size();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;  // CR LF stays two bytes
            } else {
                ++length;  // a lone CR gains its LF
            }
        } else if (bytes[i] == '\n') {
            ++length;  // a lone LF gains its CR
        }
    }
    return length;
}

std::string NormalizeLineBreaks(std::string_view bytes) {
    std::string text;
    text.reserve(NormalizedLength(bytes));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r') {
            if (i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            text += "\r\n";
        } else if (c == '\n') {
            text += "\r\n";
        } else {
            text += c;
        }
    }
    return text;
}

std::string TextToFileBytes(std::string_view editorText) {
    std::string bytes = NormalizeLineBreaks(editorText);
    // Every break already became CR LF; only a last line without a break of
    // its own still needs one.
    if (!editorText.empty() && editorText.back() != '\r' && editorText.back() != '\n') {
        bytes += "\r\n";
    }
    return bytes;
}

std::string TooLargeReason() {
    return "the text is larger than " + std::to_string(kMaxDocumentText / (1024 * 1024)) +
           " MB, more than the editor can hold";
}

std::optional<std::string> UnloadableReason(std::string_view bytes) {
    const auto nul = bytes.find('\0');
    if (nul != std::string_view::npos) {
        return "the file contains NUL bytes (the first at byte " + std::to_string(nul) +
               "), which the editor cannot hold; it is probably not a text file";
    }
    if (NormalizedLength(bytes) > kMaxDocumentText) return TooLargeReason();
    return std::nullopt;
}

}  // namespace qm
