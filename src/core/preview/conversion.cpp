#include "preview/conversion.h"

#include <algorithm>

namespace velmorin::preview {

void convertPicture(const DecoderState& state, PreviewImage& image) {
    const HeaderState& h = state.headers;
    const int w = std::min(h.horizontalSize, 720);
    const int height = std::min(h.verticalSize, 480);
    const int sx = w > 360 ? 2 : 1;
    const int sy = height > 240 ? 2 : 1;
    const auto stride = static_cast<std::size_t>(state.rowSamples());
    const std::int16_t* buffer = state.frames.buffers[state.frames.current].data();
    int c = 0;
    for (int d = 0; d < height && c < PreviewImage::kHeight; d += sy, ++c) {
        const std::int16_t* source = buffer + static_cast<std::size_t>(d) * stride;
        std::uint8_t* out = image.row(c);
        int x = 0;
        for (int f = 0; f < w && x < PreviewImage::kWidth; f += sx, ++x) {
            const std::int16_t* s = source + 3 * static_cast<std::size_t>(f);
            convertPixel(s[0], s[1], s[2], out + 3 * x);
        }
    }
}

}  // namespace velmorin::preview
