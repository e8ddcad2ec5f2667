// A start-up picture file as the program's LOGO.BMP is made: an 8-bit Windows bitmap of
// 320 × 200 with a 256-colour table, the rows bottom row first.
#pragma once

#include <cstdint>
#include <string>

namespace velmorin::test {

// Colour i of the table, as 0xRRGGBB.
inline std::uint32_t logoColour(unsigned i) {
    return (i * 0x010305u + 0x204000u) & 0xFFFFFFu;
}
// The colour index of pixel (x, y), y counted from the bottom row.
inline std::uint8_t logoIndex(int x, int y) {
    return static_cast<std::uint8_t>((x / 8 + y * 3) ^ (y / 16));
}

inline std::string logoBitmapBytes() {
    constexpr int kWidth = 320, kHeight = 200;
    std::string bytes(54 + 1024 + kWidth * kHeight, '\0');
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int k = 0; k < 4; ++k)
            bytes[at + static_cast<std::size_t>(k)] = static_cast<char>(v >> (8 * k));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bytes.size()));
    put32(10, 54 + 1024);
    put32(14, 40);
    put32(18, kWidth);
    put32(22, kHeight);
    bytes[26] = 1;
    bytes[28] = 8;
    put32(34, kWidth * kHeight);
    for (unsigned i = 0; i < 256; ++i) {
        const std::uint32_t c = logoColour(i);
        bytes[54 + 4 * i] = static_cast<char>(c);
        bytes[54 + 4 * i + 1] = static_cast<char>(c >> 8);
        bytes[54 + 4 * i + 2] = static_cast<char>(c >> 16);
    }
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            bytes[54 + 1024 + static_cast<std::size_t>(y * kWidth + x)] =
                static_cast<char>(logoIndex(x, y));
    return bytes;
}

}  // namespace velmorin::test
