#include "scan/chapter_info.h"

#include <algorithm>

namespace velmorin {

bool ChapterInfo::startsChapter(ChapterMethod method, std::int64_t runningSector, bool newCell,
                                std::int32_t cellCounter) const {
    if (method == ChapterMethod::CountCells) {
        return newCell && cellCounter > 0 && cellCounter <= kMaxCells &&
               cellIsEntry[static_cast<std::size_t>(cellCounter - 1)] == 1;
    }
    const int n = std::clamp(count, 0, kMaxSectors);
    return std::any_of(sectors.begin(), sectors.begin() + n,
                       [&](std::uint32_t s) { return std::int64_t{s} == runningSector; });
}

}  // namespace velmorin
