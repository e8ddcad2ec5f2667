// printf-style formatting into a std::string, for the program's fixed message and line
// formats (which are printf formats by nature: "%s が開けません.", " %c%c%05d ...").
#pragma once

#include <string>

namespace velmorin {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
formatText(const char* format, ...);

}  // namespace velmorin
