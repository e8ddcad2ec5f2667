#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli times SRC [--title N] [--json]
int runTimesSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
