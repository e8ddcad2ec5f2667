// The presentation-time map of a session's title, for the subcommands that work in title
// time: with --vtsi the title --title N (default 1) of the set, timed by its program
// chain; with VOB files or a project, the files as one title.
#pragma once

#include <optional>

#include "arguments.h"
#include "timing/audio_capture.h"
#include "timing/presentation_map.h"
#include "title_session.h"

namespace velmorin::cli {

// A span as the lines of times and mute print it: "hh:mm:ss.mmm-hh:mm:ss.mmm", or "-"
// for an empty one (a quarter without timed audio, a GOP the plan silences nothing in).
std::string spanText(const TitleSpan& span);

// The --title option: 1 when absent; nothing (and `problem` set) when it is wrong.
std::optional<int> titleOption(const ParsedArguments& parsed, std::string& problem);

// Reads the map, keeping the sound `capture` asks for when one is given.
Failure readTitleMap(TitleSession& session, const TitleArguments& title, int titleNumber,
                     PresentationMap& map, AudioCapture* capture = nullptr);

}  // namespace velmorin::cli
