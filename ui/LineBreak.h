#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sorato {

// Breaks a label's text into the lines it shows at a width, for a toolkit that has no
// line breaking of its own for Japanese.  CR LF ends a line.  Otherwise a line breaks
// between any two characters, except inside a run of Latin letters, digits and the
// signs that stand within a number or a word ("20", "7/10", "e-mail"), before a closing
// bracket or punctuation that may not start a line (、。」』）！？ー and the small kana),
// and after an opening bracket; a space at the break is dropped.  A unit wider than the
// width stands on a line of its own (and is cut at the edge).  `width` measures a
// string in the unit of `limit`.
std::vector<std::u32string> breakLines(std::u32string_view text, double limit,
                                       const std::function<double(std::u32string_view)>& width);

std::u32string toUtf32(std::string_view utf8);
std::string toUtf8(std::u32string_view text);

}  // namespace sorato
