// File names match wildcards without regard to case, as on the platform DVD-Video comes
// from (mounted discs often carry lower-case names such as vts_01_1.vob). The separator
// and root rules of paths belong to the platform (platform/native_path.h).
#pragma once

#include <string>
#include <string_view>

namespace velmorin {

// '?' stands for exactly one character, '*' for any run; letters match either case.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// ASCII upper case: the comparison the wildcard match uses.
std::string upperAscii(std::string_view text);

}  // namespace velmorin
