// Parsing of a subcommand's arguments: the title (VOB files) and the common options.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace velmorin::cli {

struct ScanArguments {
    std::vector<std::string> vobFiles;
    bool fullRead = false;
    bool json = false;
    std::optional<bool> answer;
    bool help = false;
};

// Returns nothing and sets `problem` on wrong usage.
std::optional<ScanArguments> parseScanArguments(const std::vector<std::string>& args,
                                                std::string& problem);

}  // namespace velmorin::cli
