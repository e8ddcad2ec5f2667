// The options of a mute by title time: one typed span (--at), an EDL list (--edl), or the
// cues of a subtitle file that hold a word of a list (--srt with --words); --shift,
// --encoding and, with --srt, --whole-cues, --margin and --audio-stream.
#pragma once

#include <optional>
#include <string>

#include "arguments.h"
#include "timed/span_request.h"

namespace velmorin::cli {

// True when the options choose spans of title time rather than GOPs and a pattern.
bool asksForSpans(const ParsedArguments& parsed);

// The request as the options give it (the title aside); nothing (and `problem` set) on
// wrong usage.
std::optional<SpanRequest> spanRequest(const ParsedArguments& parsed, std::string& problem);

}  // namespace velmorin::cli
