#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli titles: returns the exit status.
int runTitlesSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
