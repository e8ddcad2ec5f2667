#include "preview/reconstruction.h"

#include <algorithm>

#include "preview/motion_compensation.h"
#include "preview/vlc_tables.h"

namespace velmorin::preview {

namespace {

// Adds the block values to the 16 × 16 pixels at `target` (or stores them, for an intra
// macroblock, whose prediction is 0: the same result without the read).
template <bool kStore>
void addBlocks(const DecoderState& state, std::int16_t* target, int stride) {
    const bool fieldDct = state.mb.dctType == 1;
    const bool progressive = state.headers.progressiveFrame != 0;
    for (int y = 0; y < 16; ++y) {
        std::int16_t* row = target - static_cast<std::ptrdiff_t>(y) * stride;
        // Luma: frame DCT takes block row y mod 8 of blocks 0/1 (upper half) or 2/3; field
        // DCT takes row y / 2 of blocks 0/1 (top field lines) or 2/3 (bottom field lines).
        const int top = fieldDct ? 2 * (y & 1) : 2 * (y / 8);
        const int offset = fieldDct ? 8 * (y / 2) : 8 * (y & 7);
        const std::int32_t* luma[2] = {state.blocks[top] + offset, state.blocks[top + 1] + offset};
        // Chroma row: in an interlaced frame, rows 2k and 2k + 1 serve the top and bottom
        // field lines of each four-line band.
        const int chromaRow = progressive ? y / 2 : ((y / 2) & ~1) + (y & 1);
        const std::int32_t* cb = state.blocks[4] + 8 * chromaRow;
        const std::int32_t* cr = state.blocks[5] + 8 * chromaRow;
        for (int half = 0; half < 2; ++half) {
            const std::int32_t* yRow = luma[half];
            const std::int32_t* cbRow = cb + 4 * half;
            const std::int32_t* crRow = cr + 4 * half;
            std::int16_t* s = row + 24 * half;
            for (int x = 0; x < 8; ++x, s += 3) {
                const std::int32_t u = cbRow[x >> 1] - 128;
                const std::int32_t v = crRow[x >> 1] - 128;
                if constexpr (kStore) {
                    s[0] = static_cast<std::int16_t>(yRow[x]);
                    s[1] = static_cast<std::int16_t>(u);
                    s[2] = static_cast<std::int16_t>(v);
                } else {
                    s[0] = static_cast<std::int16_t>(s[0] + yRow[x]);
                    s[1] = static_cast<std::int16_t>(s[1] + u);
                    s[2] = static_cast<std::int16_t>(s[2] + v);
                }
            }
        }
    }
}

}  // namespace

void reconstructMacroblock(DecoderState& state) {
    const HeaderState& h = state.headers;
    const int a = state.macroblockAddress;
    // Address 0 has no position (only an invalid first increment leaves it there).
    if (a <= 0 || h.chromaFormat != kChroma420 || !state.pictureSizeSupported()) return;
    const int mbWidth = h.mbWidth();
    const int column = (a - 1) % mbWidth;
    const int mbRow = (a - 1) / mbWidth;
    const int top = 16 * mbRow;
    const int left = 16 * column;
    const int stride = state.rowSamples();
    std::int16_t* target =
        state.frames.buffers[state.frames.current].data() + sampleIndex(state, top, left);

    const MacroblockState& mb = state.mb;
    const bool intra = (mb.flags & kMbIntra) != 0;
    if (intra) {
        addBlocks<true>(state, target, stride);
        return;
    }
    if (!(mb.flags & kMbForward)) {
        predictFrame(state, target, stride, top, left, MotionVector{});
    } else {
        MotionVector vectors[2];
        computeVectors(state, vectors);
        if (mb.frameFormat == 1 || mb.motionVectorCount == 0) {
            predictFrame(state, target, stride, top, left, vectors[0]);
        } else {
            predictField(state, target, stride, top, left, vectors);
        }
    }
    if (mb.flags & kMbPattern) addBlocks<false>(state, target, stride);
}

}  // namespace velmorin::preview
