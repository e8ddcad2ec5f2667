// UTF-8 to and from the UTF-16 of the Windows "W" functions, which take every character
// (the "A" functions take only those of the ANSI code page).
#pragma once

#if defined(_WIN32)
#include <string>

namespace velmorin {

std::wstring wideFromUtf8(const std::string& utf8);
std::string utf8FromWide(const std::wstring& wide);

}  // namespace velmorin
#endif
