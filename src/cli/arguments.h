// Parsing of a subcommand's arguments: the title (VOB files), the options every
// subcommand shares, and the subcommand's own options.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "scan/chapter_info.h"

namespace velmorin::cli {

struct TitleArguments {
    std::vector<std::string> vobFiles;
    std::string vtsiFile;     // --vtsi: the VOB files and chapters come from a VTS_nn_0.IFO
    std::string projectFile;  // --project: the state is loaded instead of scanned
    ChapterMethod chapterMethod = ChapterMethod::SectorMatch;
    bool interleaveCheck = false;  // -E
    bool fullRead = false;
    std::optional<bool> answer;
};

struct ParsedArguments {
    TitleArguments title;
    bool help = false;
    std::set<std::string> flags;                // the subcommand's own flags that were given
    std::map<std::string, std::string> values;  // the subcommand's own options with a value
};

struct OptionSpec {
    std::set<std::string> flags;
    std::set<std::string> valued;
};

// Returns nothing and sets `problem` on wrong usage.
std::optional<ParsedArguments> parseArguments(const std::vector<std::string>& args,
                                              const OptionSpec& spec, std::string& problem);

// A GOP number or count as given on the command line: digits only, at most nine of them.
std::optional<int> parseNumber(const std::string& text);

// The numeric option `name` of `parsed`: nothing when it was not given; -1 when its text
// is not a number (callers report that as a usage error naming the option).
std::optional<int> numberOption(const ParsedArguments& parsed, const std::string& name);

}  // namespace velmorin::cli
