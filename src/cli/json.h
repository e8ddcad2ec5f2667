// Minimal JSON text for the tool's --json output: quoted strings and title times.
#pragma once

#include <string>

#include "timing/title_span.h"

namespace velmorin::cli {

std::string jsonQuoted(const std::string& utf8);
// Seconds as a JSON number, to the 90 kHz tick's precision.
std::string jsonSeconds(TitleTime time);
// [start,end] in seconds, or null for an empty span.
std::string jsonSpan(const TitleSpan& span);

}  // namespace velmorin::cli
