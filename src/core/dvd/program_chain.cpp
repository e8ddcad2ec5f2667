#include "dvd/program_chain.h"

namespace velmorin {

namespace {

constexpr std::uint64_t kPgcProgramCount = 2;
constexpr std::uint64_t kPgcCellCount = 3;
constexpr std::uint64_t kPgcProgramMap = 0xE6;
constexpr std::uint64_t kPgcCellPlayback = 0xE8;
constexpr std::uint64_t kPgcCellPosition = 0xEA;
constexpr std::uint64_t kCellPlaybackSize = 24;
constexpr std::uint64_t kCellPositionSize = 4;
constexpr std::uint64_t kPartSize = 4;  // program chain number, program number

}  // namespace

unsigned ProgramChainTables::programs() const {
    return ifo_.u8(at_ + kPgcProgramCount);
}

unsigned ProgramChainTables::cells() const {
    return ifo_.u8(at_ + kPgcCellCount);
}

std::uint64_t ProgramChainTables::programMap() const {
    return at_ + ifo_.be16(at_ + kPgcProgramMap);
}

std::uint64_t ProgramChainTables::cellPlaybackTable() const {
    return at_ + ifo_.be16(at_ + kPgcCellPlayback);
}

std::uint64_t ProgramChainTables::cellPositionTable() const {
    return at_ + ifo_.be16(at_ + kPgcCellPosition);
}

bool ProgramChainTables::holdsCellPlayback() const {
    return ifo_.holds(cellPlaybackTable(), kCellPlaybackSize * cells());
}

bool ProgramChainTables::holdsCellPositions() const {
    return ifo_.holds(cellPositionTable(), kCellPositionSize * cells());
}

CellPlayback ProgramChainTables::cell(std::uint64_t index, bool positioned) const {
    const std::uint64_t at = cellPlaybackTable() + kCellPlaybackSize * index;
    CellPlayback c;
    c.category = ifo_.u8(at);
    c.playbackTime = ifo_.be32(at + 4);
    c.firstSector = ifo_.be32(at + 8);
    c.firstIlvuEnd = ifo_.be32(at + 12);
    c.lastSector = ifo_.be32(at + 20);
    if (positioned) {
        const std::uint64_t position = cellPositionTable() + kCellPositionSize * index;
        c.vobId = ifo_.be16(position);
        c.cellId = ifo_.u8(position + 3);
    }
    return c;
}

std::optional<TitleCellTables> readTitleCellTables(const ByteReader& ifo, int title) {
    // The part-of-title table: per title the offset of its list of parts; the table's end
    // address closes the last.
    const std::uint64_t ptt = std::uint64_t{ifo.be32(kVtsPttSearchTable)} * 2048;
    if (!ifo.holds(ptt, 8)) return std::nullopt;
    TitleCellTables out;
    out.titleCount = ifo.be16(ptt);
    if (title < 1 || title > out.titleCount) return out;
    const std::uint64_t offsets = ptt + 8 + 4 * std::uint64_t(title - 1);
    const bool last = title == out.titleCount;
    if (!ifo.holds(offsets, last ? 4 : 8)) return std::nullopt;
    const std::uint64_t partsBegin = ptt + ifo.be32(offsets);
    const std::uint64_t partsEnd =
        last ? ptt + std::uint64_t{ifo.be32(ptt + 4)} + 1 : ptt + ifo.be32(offsets + 4);
    if (partsEnd <= partsBegin || (partsEnd - partsBegin) % kPartSize != 0 ||
        !ifo.holds(partsBegin, partsEnd - partsBegin))
        return std::nullopt;

    const std::uint64_t pgcit = std::uint64_t{ifo.be32(kVtsPgcTable)} * 2048;
    if (!ifo.holds(pgcit, 8)) return std::nullopt;
    for (std::uint64_t part = partsBegin; part < partsEnd; part += kPartSize) {
        const unsigned pgcNumber = ifo.be16(part);
        const unsigned program = ifo.be16(part + 2);
        const std::uint64_t pgcOffset = pgcit + 8 * std::uint64_t{pgcNumber} + 4;
        if (pgcNumber < 1 || pgcNumber > ifo.be16(pgcit) || !ifo.holds(pgcOffset, 4))
            return std::nullopt;
        const std::uint64_t at = pgcit + ifo.be32(pgcOffset);
        if (!ifo.holds(at, kPgcCellPosition + 2)) return std::nullopt;
        const ProgramChainTables pgc(ifo, at);
        const unsigned programs = pgc.programs();
        const std::uint64_t map = pgc.programMap();
        if (program < 1 || program > programs || !ifo.holds(map, programs)) return std::nullopt;
        const unsigned first = ifo.u8(map + program - 1);
        const unsigned lastCell = program < programs ? ifo.u8(map + program) - 1u : pgc.cells();
        if (first < 1 || first > lastCell || lastCell > pgc.cells() || !pgc.holdsCellPlayback())
            return std::nullopt;
        const bool positioned = pgc.holdsCellPositions();
        for (std::uint64_t c = first - 1; c < lastCell; ++c)
            out.cells.push_back(pgc.cell(c, positioned));
    }
    return out;
}

}  // namespace velmorin
