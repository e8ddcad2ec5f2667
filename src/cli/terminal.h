// Whether a standard stream is attached to a terminal.
#pragma once

#include <cstdio>

namespace velmorin::cli {

bool isTerminal(std::FILE* stream);

}  // namespace velmorin::cli
