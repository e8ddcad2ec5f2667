// 24-bit Windows bitmap files, as the preview and start-up pictures are written out.
#pragma once

#include <cstdint>
#include <vector>

namespace velmorin {

// A 54-byte header, then `height` rows of `width` pixels, bottom row first, each pixel
// blue, green, red, and each row padded to a multiple of four bytes. `bottomUpBgr` holds
// the rows unpadded.
std::vector<std::uint8_t> bmp24Bytes(int width, int height, const std::uint8_t* bottomUpBgr);

}  // namespace velmorin
