// Where the title set's chapters begin, as read from its VTSI file, and the test the
// scanner applies to every VOBU when reading by VTSI information.
#pragma once

#include <array>
#include <cstdint>

namespace velmorin {

enum class ChapterMethod : std::int32_t {
    SectorMatch = 0,  // a VOBU whose sector is a chapter's first VOBU sector
    CountCells = 1,   // the n-th new cell is the entry cell of a program
};

struct ChapterInfo {
    static constexpr int kMaxSectors = 999;
    static constexpr int kMaxCells = 1000;

    std::int32_t count = 0;
    std::array<std::uint32_t, kMaxSectors + 1> sectors{};
    std::uint32_t firstCellSector = 0;
    std::array<std::uint8_t, kMaxCells> cellIsEntry{};

    // Whether the VOBU whose navigation pack is `runningSector` (counted across the whole
    // VOB set) starts a chapter. `cellCounter` counts the new cells met so far, this one
    // included.
    bool startsChapter(ChapterMethod method, std::int64_t runningSector, bool newCell,
                       std::int32_t cellCounter) const;
};

}  // namespace velmorin
