#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli extract: returns the exit status.
int runExtractSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
