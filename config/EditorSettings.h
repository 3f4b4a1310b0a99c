// The editor settings of the configuration file applied to a colouring
// editor: the three rule colours, the font face and the size.
#pragma once

#include "config/IniFile.h"
#include "editor/ColorMemo.h"

namespace qm {

// The rule colours of an editor (rules 0, 1 and 2: tags, quoted text,
// comments). The next paint prepares the rules again and so shows them.
void SetRuleColors(TColorMemo& memo, TColor tags, TColor quoted, TColor comments);

// Rule colours, font face and size from the file, each read once.
void ApplyEditorSettings(const TIniFile& ini, TColorMemo& memo);

// Two repaints in a row: of two paints one always prepares the rules, and
// only a paint that prepares takes up changed colours.
void RepaintTwice(TColorMemo& memo);

}  // namespace qm
