// What the benchmark programs share: a clock, medians, a message pump and
// the tag-rich document they measure.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace qmbench {

// Seconds from the performance counter.
double Now();
double Median(std::vector<double> values);
// Handles the messages waiting now.
void Pump();
// Rows of a table, each a tag-rich line with a quoted value, a comment and
// a cell of other scripts ("é", "—", "日本", an emoji), all of one length
// (row numbers of seven digits), so that the figures of the documents differ
// only by the documents' length. UTF-8.
std::string Document(size_t bytes);
// The same rows on one line, as a minifier leaves a page.
std::string MinifiedDocument(size_t bytes);

}  // namespace qmbench
