// Conversion of the current frame buffer into the 360 × 240 preview image: every second
// pixel and line of a picture wider than 360 or taller than 240, starting from the bottom
// line, with a fixed-point full-range BT.601 colour conversion.
#pragma once

#include <algorithm>

#include "preview/decoder_state.h"
#include "preview/preview_image.h"

namespace velmorin::preview {

// One pixel: Y and the chroma differences U = Cb - 128, V = Cr - 128, to blue, green, red.
// >> on a negative int is an arithmetic shift (C++20), rounding towards minus infinity.
inline void convertPixel(int y, int u, int v, std::uint8_t* bgr) {
    const int b = y + ((454 * u) >> 8);
    const int g = y + ((-88 * u - 182 * v) >> 8);
    const int r = y + ((359 * v) >> 8);
    // Most pixels need no clamping: one test for all three.
    if ((static_cast<unsigned>(b) | static_cast<unsigned>(g) | static_cast<unsigned>(r)) <= 255u) {
        bgr[0] = static_cast<std::uint8_t>(b);
        bgr[1] = static_cast<std::uint8_t>(g);
        bgr[2] = static_cast<std::uint8_t>(r);
        return;
    }
    const auto clamp255 = [](int c) { return static_cast<std::uint8_t>(std::clamp(c, 0, 255)); };
    bgr[0] = clamp255(b);
    bgr[1] = clamp255(g);
    bgr[2] = clamp255(r);
}

void convertPicture(const DecoderState& state, PreviewImage& image);

}  // namespace velmorin::preview
