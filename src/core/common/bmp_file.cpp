#include "common/bmp_file.h"

#include <algorithm>

#include "common/little_endian.h"

namespace velmorin {

std::vector<std::uint8_t> bmp24Bytes(int width, int height, const std::uint8_t* bottomUpBgr) {
    constexpr std::uint32_t kHeaderSize = 54;
    const auto rowBytes = static_cast<std::uint32_t>(3 * width);
    const std::uint32_t stride = (rowBytes + 3) / 4 * 4;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out(kHeaderSize + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    writeLe32(out.data() + 2, kHeaderSize + imageSize);  // file size
    writeLe32(out.data() + 10, kHeaderSize);             // offset of the pixels
    writeLe32(out.data() + 14, 40);                      // BITMAPINFOHEADER size
    writeLe32(out.data() + 18, static_cast<std::uint32_t>(width));
    writeLe32(out.data() + 22, static_cast<std::uint32_t>(height));  // positive: bottom row first
    out[26] = 1;                                                     // planes
    out[28] = 24;                                                    // bits per pixel
    writeLe32(out.data() + 34, imageSize);                           // no compression at 30
    for (int r = 0; r < height; ++r)
        std::copy_n(bottomUpBgr + std::size_t{rowBytes} * static_cast<std::size_t>(r), rowBytes,
                    out.begin() + kHeaderSize + std::size_t{stride} * static_cast<std::size_t>(r));
    return out;
}

}  // namespace velmorin
