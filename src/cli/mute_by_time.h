// velmorin-cli mute with spans of title time (--at, --edl, --srt): each GOP whose sound a
// span meets gets the smallest pattern that silences it.
#pragma once

#include "arguments.h"

namespace velmorin::cli {

// Returns the exit status.
int muteByTitleTime(const ParsedArguments& parsed);

}  // namespace velmorin::cli
