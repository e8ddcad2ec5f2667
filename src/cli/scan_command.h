#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli scan: returns the exit status.
int runScanCommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
