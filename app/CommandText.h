// Texts the insertion and run commands make. Window-free.
#pragma once

#include <cstdint>
#include <string>

namespace qm {

// A plain colour value (red in the low byte, then green, then blue) as HTML
// writes it: "#" and red, green, blue as two upper-case hexadecimal digits
// each. The top byte is not looked at.
std::string HtmlColorText(uint32_t rgb);

// The command line that starts `program` (a path, always put in double
// quotes, so that a blank in it cannot make another program run in its
// place) with `argument` after one blank, put in double quotes when it
// contains a blank (so that it stays one argument); an empty `argument`
// adds nothing.
std::string ProgramCommandLine(const std::string& program, const std::string& argument);

// The text "Make a comment" inserts for a typed comment.
std::string CommentText(const std::string& comment);

}  // namespace qm
