// Recording one navigation pack: the GOP entry, its marks and its list line.
#include "scan/gop_line.h"
#include "scan/mute_marker.h"
#include "scan/pack.h"
#include "scan/vob_scanner.h"

namespace velmorin {

ReaderResult VobScanner::recordNavigationPack(SectorView pack, int file, std::uint32_t sector) {
    auto& table = target_.table;
    const std::uint32_t t = scrTimeValue(pack);
    const bool newCell = cellElapsedTimeIsZero(pack);

    char mark1 = ' ';
    char mark2 = ' ';
    const std::uint8_t flagBits = cellAndChapterMarks(pack, newCell, mark1, mark2);
    table.append(file, sector, flagBits);
    interleaveTest(pack, t, mark2);

    std::string line =
        formatGopLine(mark1, mark2, table.gopCount, timeCodeOf(t), readMuteState(pack));
    target_.lines.append(line, t / 90);  // the time code's milliseconds
    list_.append(line);
    return table.gopCount >= GopTable::kEntries ? ReaderResult::TooManyGops : ReaderResult::Ok;
}

std::uint8_t VobScanner::cellAndChapterMarks(SectorView pack, bool newCell, char& mark1,
                                             char& mark2) {
    const auto& options = target_.options;
    if (!options.readByVtsi) {
        if (newCell) {
            mark1 = '>';
            mark2 = '*';
            return kCellStart | kChapterStart;
        }
        if (hasChapterMarker(pack)) {
            mark1 = '>';
            return kChapterStart;
        }
        return 0;
    }

    std::uint8_t flagBits = 0;
    const auto& chapters = target_.chapters;
    if (newCell) {
        mark2 = '*';
        flagBits |= kCellStart;
        if (std::int64_t{scan_.runningSector} >= std::int64_t{chapters.firstCellSector})
            ++scan_.cellCounter;
    }
    if (chapters.startsChapter(options.chapterMethod, scan_.runningSector, newCell,
                               scan_.cellCounter)) {
        mark1 = '>';
        flagBits |= kChapterStart;
    }
    return flagBits;
}

void VobScanner::interleaveTest(SectorView pack, std::uint32_t t, char& mark2) {
    const std::uint8_t c = vobuCategory(pack);
    if (!scan_.inInterleave) {
        if ((c & kCategoryUnitStart) == 0) return;
        // Two unit starts less than 1.2 s apart belong to interleaved blocks.
        const auto diff = static_cast<std::int32_t>(t - scan_.lastUnitStartScr);
        const std::int32_t ms = diff / 90;
        if (ms > -1200 && ms < 1200) {
            scan_.inInterleave = true;
            scan_.interleaveSeen = true;
            mark2 = 'X';
        } else {
            scan_.lastUnitStartScr = t;
        }
        return;
    }
    if ((c & kCategoryUnitStart) == 0 && (c & 0x70) != 0) {
        mark2 = 'X';
        return;
    }
    scan_.inInterleave = false;
    scan_.lastUnitStartScr = (c & kCategoryUnitStart) != 0 ? t : 0x7FFFFFFF;
}

}  // namespace velmorin
