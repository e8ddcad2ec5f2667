// Writes a synthetic title set for the scan and mute benchmarks: FILES files of SIZE MiB, VOBUs of
// 200 … 300 sectors (about 250 on average) that run on across file boundaries, as on a
// real disc; every eighth pack is an AC-3 audio pack. With --sparse only the sectors a fast scan
// reads are written (the first 16 MiB, every navigation pack and the last 4 MiB of each file); the
// rest are holes.
// --vobu N makes every VOBU N sectors long instead.
//
//   make_synthetic_title DIR FILES SIZE_MIB [--sparse] [--vobu N]
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/byte_order.h"
#include "common/sector.h"

namespace {

using namespace velmorin;
using Sector = std::array<std::uint8_t, kSectorSize>;

Sector pack(std::uint32_t streamCode) {
    Sector p{};
    writeBe32(p.data(), 0x000001BA);
    p[4] = 0x44;
    p[6] = 0x04;
    p[8] = 0x04;
    p[9] = 0x01;
    p[13] = 0xF8;
    writeBe32(p.data() + 14, streamCode);
    return p;
}

Sector navPack(std::uint32_t vobuEnd, std::uint32_t index) {
    Sector p = pack(0x000001BB);
    p[71] = index % 30 == 0 ? 0 : 1;  // a new cell every 30 VOBUs
    writeBe32(p.data() + 1039, vobuEnd);
    return p;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: make_synthetic_title DIR FILES SIZE_MIB [--sparse] [--vobu N]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int files = std::atoi(argv[2]);
    const std::uint64_t fileSectors =
        std::strtoull(argv[3], nullptr, 10) * 1024 * 1024 / kSectorSize;
    bool sparse = false;
    std::uint32_t fixedVobu = 0;
    for (int i = 4; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--sparse") sparse = true;
        if (a == "--vobu" && i + 1 < argc)
            fixedVobu = static_cast<std::uint32_t>(std::atoi(argv[++i]));
    }
    const std::uint64_t denseHead = 16 * 1024 * 1024 / kSectorSize;
    const std::uint64_t denseTail = 4 * 1024 * 1024 / kSectorSize + 1;
    const Sector video = pack(0x000001E0);
    Sector audio = pack(0x000001BD);
    audio[23] = 0x80;  // AC-3 sub-stream after an empty PES header

    std::uint64_t remainingInVobu = 0;
    std::uint32_t vobus = 0;
    for (int f = 1; f <= files; ++f) {
        const std::string path = dir + "/VTS_01_" + std::to_string(f) + ".VOB";
        std::FILE* out = std::fopen(path.c_str(), "wb");
        if (!out) {
            std::perror(path.c_str());
            return 1;
        }
        std::uint64_t position = 0;  // the sector the stream stands at
        const auto put = [&](std::uint64_t s, const Sector& sector) {
            if (position != s) std::fseek(out, static_cast<long>(s * kSectorSize), SEEK_SET);
            std::fwrite(sector.data(), 1, sector.size(), out);
            position = s + 1;
        };
        for (std::uint64_t s = 0; s < fileSectors; ++s) {
            const bool dense = !sparse || s < denseHead || s + denseTail >= fileSectors;
            if (remainingInVobu == 0) {
                const std::uint32_t size = fixedVobu > 0 ? fixedVobu : 200 + (vobus * 37) % 101;
                put(s, navPack(size - 1, vobus++));
                remainingInVobu = size - 1;
            } else {
                --remainingInVobu;
                if (dense) put(s, s % 8 == 3 ? audio : video);
            }
        }
        if (std::fclose(out) != 0) {
            std::perror(path.c_str());
            return 1;
        }
    }
    std::printf("%u VOBUs in %d files of %llu sectors\n", vobus, files,
                static_cast<unsigned long long>(fileSectors));
    return 0;
}
