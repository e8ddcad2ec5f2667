// Lines of a decoded text file, as editors on any system end them.
#pragma once

#include <string_view>
#include <vector>

namespace velmorin {

// The lines of `text`, without their ends: CR LF, LF or a lone CR. Line n (1-based) is
// element n - 1; a last line without an end counts too.
std::vector<std::string_view> splitLines(std::string_view text);

// `text` without leading and trailing spaces and tabs.
std::string_view trimBlanks(std::string_view text);

}  // namespace velmorin
