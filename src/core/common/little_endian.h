// Little-endian fields of the program's own files (project and settings files).
#pragma once

#include <bit>
#include <cstdint>

namespace velmorin {

inline void writeLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

inline std::uint32_t readLe32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

inline void writeLeDouble(std::uint8_t* p, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    writeLe32(p, static_cast<std::uint32_t>(bits));
    writeLe32(p + 4, static_cast<std::uint32_t>(bits >> 32));
}

inline double readLeDouble(const std::uint8_t* p) {
    return std::bit_cast<double>(std::uint64_t{readLe32(p)} | std::uint64_t{readLe32(p + 4)} << 32);
}

}  // namespace velmorin
