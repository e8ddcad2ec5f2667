#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli logo: returns the exit status.
int runLogoSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
