// velmorin-cli mute with spans of title time: each GOP whose sound a span meets gets the
// smallest pattern that silences it.
#pragma once

#include "arguments.h"

namespace velmorin::cli {

// The options that choose spans of title time instead of GOPs and a pattern.
bool choosesTitleTime(const ParsedArguments& parsed);

// Returns the exit status.
int muteByTitleTime(const ParsedArguments& parsed);

}  // namespace velmorin::cli
