#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli settings: returns the exit status. `programPath` is the running tool's own
// file: the defaults name its folder, and the desktop program beside it is the one whose
// file layout is reported when no FILE is given.
int runSettingsSubcommand(const std::vector<std::string>& args, const std::string& programPath);

}  // namespace velmorin::cli
