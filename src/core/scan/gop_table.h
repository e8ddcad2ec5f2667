// The GOP (VOBU) table of the opened title: one entry per navigation pack in scan order,
// plus an end entry after the last GOP so that every GOP has a successor.
#pragma once

#include <array>
#include <cstdint>

#include "scan/input_file_set.h"

namespace velmorin {

enum GopFlag : std::uint8_t {
    kCellStart = 1,
    kChapterStart = 2,
};

// The whole sectors of a file of `bytes` bytes, as the input file set records its size.
std::uint32_t sectorsOf(double bytes);

// The sectors of one GOP: [firstSector, endSector) of file `file`, then optionally the
// first `nextFileSectors` sectors of file `file + 1` (packs before that file's first
// navigation pack).
struct GopExtent {
    int file = 0;
    std::uint32_t firstSector = 0;
    std::uint32_t endSector = 0;
    std::uint32_t nextFileSectors = 0;

    bool continuesInNextFile() const { return nextFileSectors > 0; }
    std::uint64_t sectorCount() const {
        return std::uint64_t{endSector} - firstSector + nextFileSectors;
    }
};

struct GopTable {
    static constexpr int kEntries = 131072;
    static constexpr int kMaxGops = kEntries - 1;  // one entry is kept for the end entry

    std::int32_t gopCount = 0;
    std::array<std::uint32_t, kEntries> startSector{};
    std::array<std::uint8_t, kEntries> fileIndex{};
    std::array<std::uint8_t, kEntries> flags{};

    void clear();
    // Appends GOP number gopCount+1. The caller keeps gopCount below kEntries.
    void append(int file, std::uint32_t sector, std::uint8_t flagBits);
    // Writes the end entry after the last GOP from the file set's last file size.
    void close(const InputFileSet& files);
    // Forgets the opened title after a failed or cancelled scan.
    void invalidate(InputFileSet& files);

    // Extent of GOP k, 0 <= k < gopCount.
    GopExtent extent(int k, const InputFileSet& files) const;
};

}  // namespace velmorin
