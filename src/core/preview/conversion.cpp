#include "preview/conversion.h"

#include <algorithm>

namespace velmorin::preview {

void convertPicture(const DecoderState& state, PreviewImage& image) {
    const HeaderState& h = state.headers;
    const int w = std::min(h.horizontalSize, 720);
    const int height = std::min(h.verticalSize, 480);
    const int sx = w > 360 ? 2 : 1;
    const int sy = height > 240 ? 2 : 1;
    // Pixels and lines taken: every sx-th of w, every sy-th of height, within the image.
    const int columns = std::min((w + sx - 1) / sx, PreviewImage::kWidth);
    const int rows = std::min((height + sy - 1) / sy, PreviewImage::kHeight);
    const auto stride = static_cast<std::size_t>(state.rowSamples());
    const auto step = static_cast<std::size_t>(3 * sx);
    const std::int16_t* buffer = state.frames.buffers[state.frames.current].data();
    for (int c = 0; c < rows; ++c) {
        const std::int16_t* s =
            buffer + static_cast<std::size_t>(c) * static_cast<std::size_t>(sy) * stride;
        std::uint8_t* out = image.row(c);
        for (int x = 0; x < columns; ++x, s += step, out += 3) convertPixel(s[0], s[1], s[2], out);
    }
}

}  // namespace velmorin::preview
