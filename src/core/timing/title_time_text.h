// Title times and spans as people type them and as EDL and subtitle files write them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "timing/title_span.h"

namespace velmorin {

// "hh:mm:ss.mmm", "mm:ss.mmm" or plain seconds "ss.sss" (any number of digits before the
// point; the fraction is optional and read exactly, so "1.001" is 90090 ticks, and digits
// finer than a tick are rounded to the nearest one). Minutes and seconds after a colon are
// below 60. Nothing for anything else, negative times included.
std::optional<TitleTime> parseTitleTime(std::string_view text);

// As parseTitleTime, with `decimalMark` ('.' or ',') between seconds and fraction: SubRip
// writes "00:00:01,500".
std::optional<TitleTime> parseClockTime(std::string_view text, char decimalMark);

// "FROM-TO", each a title time, FROM before TO.
std::optional<TitleSpan> parseTitleSpan(std::string_view text);

// A signed shift: "+1.5", "-0.25", "2" (also "-00:00:01.500"); negative moves earlier.
std::optional<TitleTime> parseTimeShift(std::string_view text);

// "hh:mm:ss.mmm", rounded to the nearest millisecond; more hour digits past 99 hours,
// a leading "-" before negative times.
std::string formatTitleTime(TitleTime time);

// "hh:mm:ss.mmm-hh:mm:ss.mmm".
std::string formatTitleSpan(const TitleSpan& span);
// A span as the lines of a plan or a map print it: formatTitleSpan, or "-" for an empty
// one (a quarter without timed audio, a GOP the plan silences nothing in).
std::string spanText(const TitleSpan& span);

}  // namespace velmorin
