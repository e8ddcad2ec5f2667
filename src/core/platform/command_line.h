// Command lines: the program's own arguments, and the line that starts another program
// with one argument.
#pragma once

#include <string>
#include <vector>

namespace velmorin {

// The program's arguments as UTF-8, its name first, as argv holds them on Linux. On
// Windows argv holds them in the ANSI code page, where a character outside it turns into
// "?"; they are split afresh from the UTF-16 command line.
std::vector<std::string> commandLineArguments(int argc, char** argv);

// `argument` quoted so that a Windows program's C runtime (CommandLineToArgvW's rules)
// gives it back unchanged: backslashes before a quote doubled, quotes escaped.
std::string quotedCommandLineArgument(const std::string& argument);

// The Windows command line that starts `program` with `argument` as its one argument.
// The program's name is only quoted: it ends at the next quote, without escapes.
std::string programCommandLine(const std::string& program, const std::string& argument);

#if defined(_WIN32)
// The arguments of a command line as Windows splits it.
std::vector<std::string> splitCommandLine(const std::wstring& commandLine);
#endif

}  // namespace velmorin
