// The 360 × 240 preview image: 24 bits per pixel, rows bottom-up, 1080 bytes per row, each
// pixel blue, green, red. It keeps its content until a conversion replaces it; it starts
// black.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmorin::preview {

struct PreviewImage {
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 240;
    static constexpr int kRowBytes = 3 * kWidth;

    std::vector<std::uint8_t> pixels =
        std::vector<std::uint8_t>(std::size_t{kRowBytes} * kHeight, 0);

    // Row 0 is the bottom row.
    std::uint8_t* row(int r) {
        return pixels.data() + std::size_t{kRowBytes} * static_cast<std::size_t>(r);
    }
    const std::uint8_t* row(int r) const {
        return pixels.data() + std::size_t{kRowBytes} * static_cast<std::size_t>(r);
    }
};

// The image as a 24-bit BMP file: a 54-byte header, then the rows bottom row first.
std::vector<std::uint8_t> bmpBytes(const PreviewImage& image);
bool writeBmp(const PreviewImage& image, const std::string& path);

}  // namespace velmorin::preview
