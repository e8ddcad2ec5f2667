// The tool's --help texts and the usage error.
#pragma once

#include <string>

namespace velmorin::cli {

// Prints the usage of `subcommand` (or of the tool, when empty) on standard output; 0.
int printUsage(const std::string& subcommand);
// Prints the problem and the short usage on standard error; exit status 2.
int usageError(const std::string& subcommand, const std::string& problem);
// Prints the version and the licence on standard output; 0.
int printVersion();

}  // namespace velmorin::cli
