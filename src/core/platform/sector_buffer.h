// The one 16 MiB working buffer shared by scan, mute and the working-file copy.
// Its contents are undefined on entry to every operation that uses it. The buffer is
// handed explicitly to those operations and to nothing else: the preview decoder has
// scratch memory of its own, so a preview painted while the scan's damaged-pack question
// or the mute's padding-stream question is open cannot touch the data they hold.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/sector.h"
#include "platform/large_buffer.h"

namespace velmorin {

class SectorBuffer {
public:
    static constexpr std::size_t kSize = 16 * 1024 * 1024;
    static constexpr std::size_t kSectors = kSize / kSectorSize;

    SectorBuffer() : data_(allocateLargeBuffer(kSize)) {}
    SectorBuffer(const SectorBuffer&) = delete;
    SectorBuffer& operator=(const SectorBuffer&) = delete;

    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }

    // Sector i of the buffer, 0 <= i < kSectors.
    SectorView sector(std::size_t i) const {
        return SectorView(data_.get() + i * kSectorSize, kSectorSize);
    }
    MutableSectorView sector(std::size_t i) {
        return MutableSectorView(data_.get() + i * kSectorSize, kSectorSize);
    }

private:
    LargeBuffer data_;
};

}  // namespace velmorin
