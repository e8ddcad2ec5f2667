// Where a title's cells lie in the title set's VOB files and where each begins in title
// time, read from the title set's information file (VTS_nn_0.IFO).
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_reader.h"
#include "timing/title_span.h"

namespace velmorin {

struct TitleCell {
    // Sectors counted from the first sector of VTS_nn_1.VOB, across the whole VOB set.
    std::uint32_t firstSector = 0;  // its first VOBU's navigation pack
    std::uint32_t lastSector = 0;   // the last sector of its last VOBU
    TitleTime start = 0;            // title time at which the cell begins
    TitleTime duration = 0;         // its playback time
    // Its VOB and cell ids, which every navigation pack of the cell repeats: the sector
    // range of a cell in an interleaved block also holds other cells' units. 0: not known.
    std::uint16_t vobId = 0;
    std::uint8_t cellId = 0;
};

struct TitleCells {
    int titleCount = 0;            // titles in the title set
    std::vector<TitleCell> cells;  // in program-chain order; empty when the title is absent
};

// The cells of title `title` (1-based, as the title set numbers its titles) in the order
// it plays them, each starting where the cells before it end: the cells of each of its
// parts (a program of a program chain, which titles may share) in part order. A cell of an
// angle block other than the first starts with the block and adds no time. Nothing when
// the tables lie outside the bytes read or contradict themselves.
std::optional<TitleCells> readTitleCells(const ByteReader& vtsi, int title);

// A playback time as the IFO files write it: BCD hours, minutes, seconds and frames, the
// frame rate in the top two bits of the last byte. The frames count at the nominal rate
// (30 or 25 a second) and last 1001/30000 or 1/25 of a second each, as the pictures do.
TitleTime playbackTimeTicks(std::uint32_t bcd);

}  // namespace velmorin
