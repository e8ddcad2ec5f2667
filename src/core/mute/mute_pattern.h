// Which of a GOP's b audio packets a pattern silences.
#pragma once

#include "scan/mute_marker.h"

namespace velmorin {

struct SilentRange {
    int lo = 0;  // [lo, hi) of the audio packets in file order
    int hi = 0;
    bool contains(int i) const { return lo <= i && i < hi; }
};

// Quarters rounded down: q1 = (b+2)/4, h = (b+1)/2, q3 = (3b+2)/4. Patterns outside
// 0 … 7 silence nothing.
SilentRange silentRange(MuteState pattern, int audioPackets);

}  // namespace velmorin
