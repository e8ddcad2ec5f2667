#include "preview/pack_filter.h"

#include <algorithm>
#include <cstring>

#include "common/sector.h"

namespace velmorin::preview {

std::size_t appendVideoPayloads(const std::uint8_t* packs, std::size_t size, std::uint8_t* out,
                                std::size_t capacity) {
    std::size_t written = 0;
    for (std::size_t at = 0; at + kSectorSize <= size; at += kSectorSize) {
        const std::uint8_t* p = packs + at;
        if (p[0] != 0 || p[1] != 0 || p[2] != 1 || p[3] != 0xBA) continue;
        if (p[14] != 0 || p[15] != 0 || p[16] != 1 || p[17] != 0xE0) continue;
        const std::size_t packetLength = (std::size_t{p[18]} << 8) | p[19];
        const std::size_t begin = 23 + std::size_t{p[22]};
        const std::size_t end = std::min<std::size_t>(20 + packetLength, kSectorSize);
        if (end <= begin) continue;
        const std::size_t count = std::min(end - begin, capacity - written);
        std::memcpy(out + written, p + begin, count);
        written += count;
    }
    return written;
}

}  // namespace velmorin::preview
