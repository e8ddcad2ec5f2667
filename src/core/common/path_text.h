// Path text rules shared by the dialogs and the readers: folders end in the platform's
// separator, and file names match wildcards without regard to case, as on the platform
// DVD-Video comes from (mounted discs often carry lower-case names such as vts_01_1.vob).
#pragma once

#include <string>
#include <string_view>

namespace velmorin {

#if defined(_WIN32)
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// `folder` with a separator at its end (none added when it has one already).
std::string withTrailingSeparator(std::string folder);

// '?' stands for exactly one character, '*' for any run; letters match either case.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// ASCII upper case: the comparison the wildcard match uses.
std::string upperAscii(std::string_view text);

}  // namespace velmorin
