#pragma once

#include <string>
#include <vector>

namespace velmorin::cli {

// velmorin-cli mute: returns the exit status.
int runMuteSubcommand(const std::vector<std::string>& args);

}  // namespace velmorin::cli
