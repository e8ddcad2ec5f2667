// Minimal JSON string quoting for the tool's --json output.
#pragma once

#include <string>

namespace velmorin::cli {

std::string jsonQuoted(const std::string& utf8);

}  // namespace velmorin::cli
