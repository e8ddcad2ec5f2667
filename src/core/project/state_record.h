// The state record's 826,840-byte image: what a project file stores between its header
// and the GOP list lines. Written and read field by field, little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "state/app_state.h"

namespace velmorin {

inline constexpr std::size_t kStateRecordSize = 826840;

// The image of `state`; nothing, with `unstorablePath` set, when a path cannot be stored.
std::optional<std::vector<std::uint8_t>> encodeStateRecord(const AppState& state,
                                                           std::string& unstorablePath);

// Replaces `state` with the image's content. False, with `state` untouched, when the
// image cannot be a state this program wrote: counts outside the tables, or a path that
// is not Shift-JIS.
bool decodeStateRecord(const std::uint8_t* image, AppState& state);

// Every field zero, paths empty: what a project too short to hold its record leaves.
void zeroStateRecord(AppState& state);

}  // namespace velmorin
