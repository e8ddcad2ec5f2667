#include "timing/title_cells.h"

namespace velmorin {

namespace {

constexpr std::uint64_t kPttSearchTable = 0x0C8;
constexpr std::uint64_t kPgcTable = 0x0CC;
constexpr std::uint64_t kPartSize = 4;
constexpr std::uint64_t kPgcProgramMap = 0xE6;
constexpr std::uint64_t kPgcCellTable = 0xE8;
constexpr std::uint64_t kPgcCellPositions = 0xEA;
constexpr std::uint64_t kCellPlaybackSize = 24;
constexpr std::uint64_t kCellPositionSize = 4;

int bcd(std::uint8_t value) {
    return (value >> 4) * 10 + (value & 0x0F);
}

// Cell category, first byte: the block mode in bits 7 … 6, the block type in bits 5 … 4.
constexpr std::uint8_t kBlockModeMask = 0xC0;
constexpr std::uint8_t kBlockFirst = 0x40;
constexpr std::uint8_t kBlockTypeMask = 0x30;
constexpr std::uint8_t kAngleBlock = 0x10;

}  // namespace

TitleTime playbackTimeTicks(std::uint32_t time) {
    const bool thirty = ((time & 0xC0) >> 6) == 3;
    const TitleTime rate = thirty ? 30 : 25;
    const TitleTime frameTicks = thirty ? 3003 : 3600;
    const TitleTime seconds = bcd(static_cast<std::uint8_t>(time >> 24)) * 3600 +
                              bcd(static_cast<std::uint8_t>(time >> 16)) * 60 +
                              bcd(static_cast<std::uint8_t>(time >> 8));
    return (seconds * rate + bcd(time & 0x3F)) * frameTicks;
}

namespace {

// Appends cells [first, last] (1-based) of the program chain at `pgc`, timed on from `next`.
bool appendCells(const ByteReader& ifo, std::uint64_t pgc, unsigned first, unsigned last,
                 TitleTime& next, TitleTime& blockStart, std::vector<TitleCell>& cells) {
    const std::uint8_t cellCount = ifo.u8(pgc + 3);
    const std::uint64_t table = pgc + ifo.be16(pgc + kPgcCellTable);
    const std::uint64_t positions = pgc + ifo.be16(pgc + kPgcCellPositions);
    if (first < 1 || first > last || last > cellCount ||
        !ifo.holds(table, kCellPlaybackSize * cellCount))
        return false;
    const bool positioned = ifo.holds(positions, kCellPositionSize * cellCount);
    for (std::uint64_t c = first - 1; c < last; ++c) {
        const std::uint64_t at = table + kCellPlaybackSize * c;
        const std::uint8_t category = ifo.u8(at);
        TitleCell cell;
        cell.duration = playbackTimeTicks(ifo.be32(at + 4));
        cell.firstSector = ifo.be32(at + 8);
        cell.lastSector = ifo.be32(at + 20);
        if (positioned) {
            cell.vobId = ifo.be16(positions + kCellPositionSize * c);
            cell.cellId = ifo.u8(positions + kCellPositionSize * c + 3);
        }
        const bool angle =
            (category & kBlockTypeMask) == kAngleBlock && (category & kBlockModeMask) != 0;
        // Only one angle of a block plays: every angle starts with the block, and the
        // title goes on after the first angle's time.
        if (!angle || (category & kBlockModeMask) == kBlockFirst) {
            cell.start = next;
            blockStart = next;
            next += cell.duration;
        } else {
            cell.start = blockStart;
        }
        cells.push_back(cell);
    }
    return true;
}

}  // namespace

std::optional<TitleCells> readTitleCells(const ByteReader& ifo, int title) {
    // The part-of-title table: per title the offset of its list of parts, each part a
    // program (a chapter) of some program chain; the table's end address closes the last.
    const std::uint64_t ptt = std::uint64_t{ifo.be32(kPttSearchTable)} * 2048;
    if (!ifo.holds(ptt, 8)) return std::nullopt;
    TitleCells out;
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

    const std::uint64_t pgcit = std::uint64_t{ifo.be32(kPgcTable)} * 2048;
    if (!ifo.holds(pgcit, 8)) return std::nullopt;
    TitleTime next = 0;
    TitleTime blockStart = 0;
    for (std::uint64_t part = partsBegin; part < partsEnd; part += kPartSize) {
        const unsigned pgcNumber = ifo.be16(part);
        const unsigned program = ifo.be16(part + 2);
        const std::uint64_t pgcOffset = pgcit + 8 * std::uint64_t{pgcNumber} + 4;
        if (pgcNumber < 1 || pgcNumber > ifo.be16(pgcit) || !ifo.holds(pgcOffset, 4))
            return std::nullopt;
        const std::uint64_t pgc = pgcit + ifo.be32(pgcOffset);
        if (!ifo.holds(pgc, kPgcCellPositions + 2)) return std::nullopt;
        // The program's cells: from its entry cell up to the next program's.
        const unsigned programs = ifo.u8(pgc + 2);
        const std::uint64_t map = pgc + ifo.be16(pgc + kPgcProgramMap);
        if (program < 1 || program > programs || !ifo.holds(map, programs)) return std::nullopt;
        const unsigned first = ifo.u8(map + program - 1);
        const unsigned lastCell = program < programs ? ifo.u8(map + program) - 1u : ifo.u8(pgc + 3);
        if (!appendCells(ifo, pgc, first, lastCell, next, blockStart, out.cells))
            return std::nullopt;
    }
    return out;
}

}  // namespace velmorin
