#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli settings: returns the exit status. `programPath` is argv[0], used only when
// the system cannot name the running program itself.
int runSettingsSubcommand(const std::vector<std::string>& args, const std::string& programPath);

}  // namespace velmorin::cli
