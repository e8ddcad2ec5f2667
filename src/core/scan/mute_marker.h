// The mute state of a GOP lives in its own navigation pack: four bytes at offset 2036,
// in the reserved tail of the data search packet.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/sector.h"

namespace velmorin {

// Pattern number 0 … 7 of the last mute pattern applied to a GOP.
using MuteState = int;

inline constexpr int kMuteStates = 8;
inline constexpr std::size_t kMuteMarkerOffset = 2036;

// "****" for 0, "-***" for 1, …: one character per quarter of the GOP's audio packets,
// '*' with audio, '-' silent. States outside 0 … 7 read as "****".
std::string_view patternText(MuteState state);

// The state recorded in a navigation pack; 0 for a pack this program never touched.
MuteState readMuteState(SectorView navPack);

// Records `state` in the navigation pack; 0 (or anything outside 1 … 7) clears the
// marker to four zero bytes.
void writeMuteMarker(MutableSectorView navPack, MuteState state);

}  // namespace velmorin
