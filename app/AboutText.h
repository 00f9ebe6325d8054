#pragma once
// The About preview: the lines of the viewer's About box as the viewer
// itself will show them.

#include <string>
#include <vector>

namespace glim {

// Always six lines, each followed by CR LF; a line past the end of `lines`
// is empty and lines after the sixth are not shown. The first line that is
// not empty (blanks count as text) ends in 13 spaces; no other line does.
// Nothing is trimmed.
std::string ComposeAboutPreview(const std::vector<std::string>& lines);

}  // namespace glim
