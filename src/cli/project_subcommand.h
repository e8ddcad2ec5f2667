#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli project: returns the exit status.
int runProjectSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
