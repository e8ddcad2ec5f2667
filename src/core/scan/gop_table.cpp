#include "scan/gop_table.h"

#include "common/sector.h"

namespace velmorin {

std::uint32_t sectorsOf(double bytes) {
    return static_cast<std::uint32_t>(bytes / static_cast<double>(kSectorSize) + 0.5);
}

void GopTable::clear() {
    gopCount = 0;
    flags.fill(0);
}

void GopTable::append(int file, std::uint32_t sector, std::uint8_t flagBits) {
    const auto k = static_cast<std::size_t>(gopCount);
    fileIndex[k] = static_cast<std::uint8_t>(file);
    startSector[k] = sector;
    flags[k] |= flagBits;
    ++gopCount;
}

void GopTable::close(const InputFileSet& files) {
    const auto k = static_cast<std::size_t>(gopCount);
    fileIndex[k] = static_cast<std::uint8_t>(files.fileCount);
    startSector[k] = files.fileCount > 0
                         ? sectorsOf(files.fileSize[static_cast<std::size_t>(files.fileCount - 1)])
                         : 0;
}

void GopTable::invalidate(InputFileSet& files) {
    files.fileCount = 0;
    gopCount = 0;
    flags.fill(0);
}

GopExtent GopTable::extent(int k, const InputFileSet& files) const {
    const auto i = static_cast<std::size_t>(k);
    GopExtent e;
    e.file = fileIndex[i];
    e.firstSector = startSector[i];
    if (fileIndex[i + 1] == fileIndex[i]) {
        e.endSector = startSector[i + 1];
    } else {
        e.endSector = sectorsOf(files.fileSize[fileIndex[i]]);
        if (e.file + 1 < files.fileCount) e.nextFileSectors = startSector[i + 1];
    }
    return e;
}

}  // namespace velmorin
