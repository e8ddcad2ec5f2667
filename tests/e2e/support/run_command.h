// Runs a command line through the shell, with no standard input, and captures its output.
#pragma once

#include <string>

#include "pack_builder.h"

namespace velmorin::test {

struct CommandResult {
    int status = -1;  // exit status, or -1 when the command did not exit normally
    std::string out;
    std::string err;
};

CommandResult runCommand(const std::string& commandLine);
std::string shellQuoted(const std::string& text);

}  // namespace velmorin::test
