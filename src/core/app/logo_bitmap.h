// The start-up picture: "LOGO.BMP" beside the program, an 8-bit Windows bitmap of
// 320 × 200 pixels with its colour table.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace velmorin {

struct LogoBitmap {
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    static constexpr std::size_t kPixelBytes = std::size_t{kWidth} * kHeight;

    // Colour i as 0xRRGGBB.
    std::array<std::uint32_t, 256> colours{};
    // Colour indexes, kWidth per row, bottom row first as in the file.
    std::array<std::uint8_t, kPixelBytes> pixels{};
    // False when the file was missing or not a usable bitmap; the picture is then blank.
    bool loaded = false;
};

// Reads the file the way the start-up picture always has: "BM", compression 0 or 1, the
// colour table right after the 54 header bytes and the pixel rows right after it, at most
// the bitmap's 64,000 bytes of them. Anything else leaves the picture blank; a file cut
// short keeps what was read.
LogoBitmap loadLogoBitmap(const std::string& path);

inline constexpr const char* kLogoFileName = "LOGO.BMP";

}  // namespace velmorin
