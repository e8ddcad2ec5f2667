// A title set's program chains as its information file (VTS_nn_0.IFO) lays them out: the
// part-of-title table that lists each title's programs, and each program chain's program
// map, cell playback table and cell position table.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "common/byte_reader.h"

namespace velmorin {

// Byte offsets of the tables' sector numbers in the title set's management table.
inline constexpr std::uint64_t kVtsPttSearchTable = 0x0C8;
inline constexpr std::uint64_t kVtsPgcTable = 0x0CC;

// A program chain's fixed part, up to and including the cell position table's offset.
inline constexpr std::uint64_t kPgcFixedPart = 236;

// One cell as the cell playback and cell position tables describe it.
struct CellPlayback {
    std::uint8_t category = 0;       // block mode in bits 7 … 6, block type in bits 5 … 4
    std::uint32_t playbackTime = 0;  // BCD h, m, s and frames; the frame rate in bits 7 … 6
    std::uint32_t firstSector = 0;   // its first VOBU's navigation pack
    std::uint32_t firstIlvuEnd = 0;  // non-zero for a cell of an interleaved block
    std::uint32_t lastSector = 0;    // the last sector of its last VOBU
    std::uint16_t vobId = 0;         // from the cell position table; 0 when not read
    std::uint8_t cellId = 0;
};

// The program chain at byte `at` of the file. Fields beyond the bytes read are zero.
class ProgramChainTables {
public:
    ProgramChainTables(const ByteReader& ifo, std::uint64_t at) : ifo_(ifo), at_(at) {}

    unsigned programs() const;
    unsigned cells() const;
    // Where the program map (a byte a program: its entry cell, 1-based) and the cell
    // tables begin in the file.
    std::uint64_t programMap() const;
    std::uint64_t cellPlaybackTable() const;
    std::uint64_t cellPositionTable() const;
    // Whether all of the cell playback or position table lies within the bytes read.
    bool holdsCellPlayback() const;
    bool holdsCellPositions() const;
    // Cell `index` (0-based); its position fields only when `positioned`.
    CellPlayback cell(std::uint64_t index, bool positioned = false) const;

private:
    const ByteReader& ifo_;
    std::uint64_t at_;
};

struct TitleCellTables {
    int titleCount = 0;               // titles in the title set
    std::vector<CellPlayback> cells;  // in play order; empty when the title is absent
};

// The cells of title `title` (1-based) in the order it plays them: the cells of each of
// its parts (a program of a program chain, which titles may share) in part order, each
// program from its entry cell up to the next program's. Nothing when the tables lie
// outside the bytes read or contradict themselves.
std::optional<TitleCellTables> readTitleCellTables(const ByteReader& vtsi, int title);

}  // namespace velmorin
