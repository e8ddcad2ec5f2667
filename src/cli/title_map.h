// The presentation-time map of a session's title, for the subcommands that work in title
// time: with --vtsi the title --title N (default 1) of the set, timed by its program
// chain; with VOB files or a project, the files as one title.
#pragma once

#include <optional>

#include "arguments.h"
#include "timing/presentation_map.h"
#include "title_session.h"

namespace velmorin::cli {

// The --title option: 1 when absent; nothing (and `problem` set) when it is wrong.
std::optional<int> titleOption(const ParsedArguments& parsed, std::string& problem);

// The set's information file the options give (absolute), or empty.
std::string vtsiPathOf(const TitleArguments& title);

// Reads the map.
Failure readTitleMap(TitleSession& session, const TitleArguments& title, int titleNumber,
                     PresentationMap& map);

}  // namespace velmorin::cli
