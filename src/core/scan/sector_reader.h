// Runs of sectors of one file at a time, for a pass that looks at a few bytes of each.
//
// Mapping a file costs next to nothing where the system's cache holds it in large pages
// (a file read from the disk), but several times a copy where it holds it in small ones
// (a file just written a few KiB at a time), and which it is cannot be asked. So a pass
// tries both on its first sectors, a mapped stretch and a read one, and keeps the way that
// took less time a sector. Both give the same sectors.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/binary_file.h"
#include "platform/mapped_file.h"
#include "platform/sector_buffer.h"

namespace velmorin {

struct SectorRun {
    const std::uint8_t* data = nullptr;
    std::size_t count = 0;  // whole sectors at `data`
    SectorView sector(std::size_t i) const {
        return SectorView(data + i * kSectorSize, kSectorSize);
    }
};

class SectorReader {
public:
    enum class Way { TryMapping, TryReading, Mapping, Reading };

    explicit SectorReader(SectorBuffer& buffer);

    // Opens a file in place of the one before; false when it cannot be opened.
    bool open(const std::string& path);

    // Up to `count` sectors from sector `first` of the open file; none past its end or on
    // a read error. The sectors stay valid until the next call.
    SectorRun read(std::uint64_t first, std::uint64_t count);

    Way way() const { return way_; }

    // Tests fix the way of every reader made from now on, for every sector of a file;
    // nothing restores the trial.
    static void forceWayForTesting(std::optional<Way> way);

private:
    bool mapping() const;
    bool inWindow(std::uint64_t sector) const;
    SectorRun readMapped(std::uint64_t first, std::uint64_t count);
    SectorRun readIntoBuffer(std::uint64_t first, std::uint64_t count);
    void releaseWindow();
    void decide();

    SectorBuffer& buffer_;
    MappedFile mapped_;
    BinaryFile file_;
    Way way_;
    bool forced_;
    // The mapped window: sectors [windowFirst_, windowFirst_ + windowCount_) at windowData_.
    const std::uint8_t* windowData_ = nullptr;
    std::uint64_t windowFirst_ = 0;
    std::uint64_t windowCount_ = 0;
    // The sectors the buffer holds, [bufferFirst_, bufferFirst_ + bufferCount_), and the
    // sector the open file stands at.
    std::uint64_t bufferFirst_ = 0;
    std::uint64_t bufferCount_ = 0;
    std::uint64_t filePosition_ = 0;
    // What the trial has measured so far.
    double mappingSeconds_ = 0;
    double readingSeconds_ = 0;
    std::uint64_t mappedSectors_ = 0;
    std::uint64_t readSectors_ = 0;
};

}  // namespace velmorin
