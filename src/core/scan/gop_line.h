// The text of a GOP list line and of the size label.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "scan/mute_marker.h"
#include "scan/pack.h"

namespace velmorin {

// " %c%c%05d (%02d:%02d:%02d.%03d) %s": chapter mark, cell/interleave mark, GOP number
// (index + 1), the time code and the pattern text.
std::string formatGopLine(char mark1, char mark2, int gopNumber, const TimeCode& time,
                          MuteState state);

// The same line with its pattern text (the last four characters) replaced.
std::string withPatternText(const std::string& line, MuteState state);

// The time code of a GOP line in milliseconds; nothing when the line has none.
std::optional<std::int64_t> lineTimeMs(const std::string& line);

// "h:mm:ss.mmm" (the hours may have any number of digits, the milliseconds may be left
// out) in milliseconds.
std::optional<std::int64_t> parseTimeMs(const std::string& text);

// "ｻｲｽﾞ: %d.%03d GB" for a size in bytes, in units of 2^30 with three decimals.
std::string sizeLabelText(double totalBytes);

}  // namespace velmorin
