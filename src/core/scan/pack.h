// The fields of a VOB pack that the scanner reads. The pack header is taken to be the
// 14-byte MPEG-2 header without stuffing, so the first packet starts at byte 14.
#pragma once

#include <cstdint>

#include "common/sector.h"

namespace velmorin {

// Bytes 0 … 3 are the pack start code 00 00 01 BA.
bool isPack(SectorView sector);

// A pack whose first packet is a system header (00 00 01 BB): the navigation pack that
// starts a VOBU.
bool isNavigationPack(SectorView sector);

// Bits 31 … 0 of the 33-bit system clock reference base, in 90 kHz ticks.
std::uint32_t scrTimeValue(SectorView pack);

struct TimeCode {
    unsigned hours = 0;  // not reduced: 0 … 13
    unsigned minutes = 0;
    unsigned seconds = 0;
    unsigned milliseconds = 0;
};

TimeCode timeCodeOf(std::uint32_t scrTicks);

// Navigation pack fields (offsets within the 2048-byte pack).
// Cell elapsed time C_ELTM is zero: the VOBU starts a cell. The hours tens digit and the
// frame-rate bits are ignored.
bool cellElapsedTimeIsZero(SectorView navPack);
// VOBU_EA: last sector of the VOBU, relative to the navigation pack.
std::uint32_t vobuEndAddress(SectorView navPack);
// High byte of the VOBU category in the seamless playback information.
std::uint8_t vobuCategory(SectorView navPack);
// The bytes 5B B5 at offset 2032 mark a chapter start when reading without VTSI.
bool hasChapterMarker(SectorView navPack);

inline constexpr std::uint8_t kCategoryUnitStart = 0x20;

}  // namespace velmorin
