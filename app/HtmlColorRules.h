// The colour rules of the main window's editors: tags, quoted values and
// comments, in the design's colours (the configuration replaces the three
// DefKeyColor values). Window-free.
#pragma once

#include "editor/ColorRules.h"

namespace qm {

inline constexpr TColor kTagColor = clMaroon;
inline constexpr TColor kQuotedColor = clGray;
inline constexpr TColor kCommentColor = clOlive;

// Appends rule 0 (tags "<" to ">", KeyMaxHeight 3), rule 1 (a double quote
// to a double quote, ZOrder 1) and rule 2 ("<!--" to "-->", ZOrder 1).
void AddHtmlColorRules(TDrawRules& Rules);

}  // namespace qm
