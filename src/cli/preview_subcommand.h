#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli preview: returns the exit status.
int runPreviewSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
