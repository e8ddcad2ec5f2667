// Standard output and error carry the same bytes everywhere: UTF-8 text with "\n" line
// ends, whether they go to a console, a file or a pipe.
#pragma once

#include <cstdio>

namespace velmorin {

// Makes `stream` write its bytes unchanged: a Windows text-mode stream writes every "\n"
// as "\r\n".
void writeBytesUnchanged(std::FILE* stream);

// Standard output and error write their bytes unchanged; a console among them shows UTF-8
// and, on Windows, follows the terminal escapes of the progress line.
void prepareStandardOutput();

}  // namespace velmorin
