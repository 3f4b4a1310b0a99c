// Texts the insertion and run commands make. Window-free.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// A plain colour value (red in the low byte, then green, then blue) as HTML
// writes it: "#" and red, green, blue as two upper-case hexadecimal digits
// each. The top byte is not looked at.
std::string HtmlColorText(uint32_t rgb);

// The browser's command line for a document: the browser's path as
// configured, one blank, and the document's path, put in double quotes
// when it contains a blank (so that it stays one argument).
std::string BrowserCommandLine(const std::string& browser, const std::string& document);

// The text "Make a comment" inserts for a typed comment.
std::string CommentText(const std::string& comment);

}  // namespace qm
