// Times as the command line gives them and as the tool prints them. A stand-in, kept
// small so that the core's reader of typed times can take its place.
#pragma once

#include <optional>
#include <string>

#include "timing/title_span.h"

namespace velmorin::cli {

// "hh:mm:ss.mmm", "mm:ss.mmm" or seconds "ss.sss"; nothing for anything else.
std::optional<TitleTime> parseTimeArgument(const std::string& text);
// "FROM-TO" with FROM before TO.
std::optional<TitleSpan> parseSpanArgument(const std::string& text);
// "+1.5", "-0.25", "2": seconds, negative moves earlier.
std::optional<TitleTime> parseShiftArgument(const std::string& text);

// "hh:mm:ss.mmm", to the nearest millisecond; a "-" before a negative time.
std::string formatTime(TitleTime time);
// "FROM-TO", or "-" for an empty span.
std::string formatSpan(const TitleSpan& span);
// Seconds as a JSON number, to the 90 kHz tick's precision.
std::string jsonSeconds(TitleTime time);

}  // namespace velmorin::cli
