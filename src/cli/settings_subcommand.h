#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli settings: returns the exit status. `programPath` is the running tool's own
// file: the defaults name its folder.
int runSettingsSubcommand(const std::vector<std::string>& args, const std::string& programPath);

}  // namespace velmorin::cli
