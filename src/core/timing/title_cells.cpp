#include "timing/title_cells.h"

#include "dvd/program_chain.h"

namespace velmorin {

namespace {

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

std::optional<TitleCells> readTitleCells(const ByteReader& ifo, int title) {
    const auto tables = readTitleCellTables(ifo, title);
    if (!tables) return std::nullopt;
    TitleCells out;
    out.titleCount = tables->titleCount;
    TitleTime next = 0;
    TitleTime blockStart = 0;
    for (const CellPlayback& entry : tables->cells) {
        TitleCell cell;
        cell.duration = playbackTimeTicks(entry.playbackTime);
        cell.firstSector = entry.firstSector;
        cell.lastSector = entry.lastSector;
        cell.vobId = entry.vobId;
        cell.cellId = entry.cellId;
        const std::uint8_t category = entry.category;
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
        out.cells.push_back(cell);
    }
    return out;
}

}  // namespace velmorin
