// The program's start-up arguments: the command line's, or instead the first line of
// "options.txt" beside the program. "-E" switches on the interleave warning.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmorin {

struct StartupArguments {
    static constexpr std::size_t kMaxWords = 16;
    std::vector<std::string> words;
    bool interleaveCheck = false;
};

// The first line of programFolder/options.txt without its last character (normally the
// line feed), at most 254 characters with it; nothing when the file is missing or empty.
std::optional<std::string> readOptionsLine(const std::string& programFolder);

// The words of `argumentText`, or of `optionsLine` when there is one.
StartupArguments parseStartupArguments(const std::string& argumentText,
                                       const std::optional<std::string>& optionsLine);

// The argument text of a whole command line: what follows the program path (quoted, or
// up to the first blank or tab), from at most 511 characters.
std::string argumentTextOf(const std::string& commandLine);

}  // namespace velmorin
