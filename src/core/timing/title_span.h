// A stretch of title time: the time a player shows, counted from the start of the title.
#pragma once

#include <cstdint>

namespace velmorin {

// Title time in ticks of the MPEG system clock's 90 kHz time base, the unit of every
// presentation time stamp on the disc.
using TitleTime = std::int64_t;
inline constexpr TitleTime kTicksPerSecond = 90000;
inline constexpr TitleTime kTicksPerMillisecond = 90;

// [start, end): start inclusive, end exclusive.
struct TitleSpan {
    TitleTime start = 0;
    TitleTime end = 0;
    bool empty() const { return end <= start; }
    friend bool operator==(const TitleSpan&, const TitleSpan&) = default;
};

}  // namespace velmorin
