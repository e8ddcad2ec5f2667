// A VOB file is a sequence of 2048-byte sectors, one pack each. A sector view has a
// static extent, so every fixed pack offset used by the program is checked at compile
// time against the sector's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace velmorin {

inline constexpr std::size_t kSectorSize = 2048;

using SectorView = std::span<const std::uint8_t, kSectorSize>;
using MutableSectorView = std::span<std::uint8_t, kSectorSize>;

}  // namespace velmorin
