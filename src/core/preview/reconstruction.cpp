#include "preview/reconstruction.h"

#include <algorithm>

#include "preview/vlc_tables.h"

namespace velmorin::preview {

namespace {

struct Vector {
    int x = 0;
    int y = 0;
};

// Decodes the motion vectors of the macroblock from its motion codes and the predictors.
void computeVectors(DecoderState& state, Vector (&forward)[2]) {
    const HeaderState& h = state.headers;
    MacroblockState& mb = state.mb;
    SliceState& slice = state.slice;
    const bool fieldInFrame = mb.frameFormat == 0 && h.pictureStructure == kFramePicture;
    for (int r = 0; r < mb.motionVectorCount && r < 2; ++r) {
        for (int s = 0; s < 2; ++s) {
            for (int t = 0; t < 2; ++t) {
                const int rSize = std::clamp(h.fCode[s][t], 1, 15) - 1;
                const int f = 1 << rSize;
                const int high = 16 * f - 1;
                const int low = -16 * f;
                const int range = 32 * f;
                const int code = mb.motionCode[r][s][t];
                int delta = code;
                if (f != 1 && code != 0) {
                    delta = (std::abs(code) - 1) * f + mb.motionResidual[r][s][t] + 1;
                    if (code < 0) delta = -delta;
                }
                const bool halve = fieldInFrame && t == 1;
                int prediction = slice.pmv[r][s][t];
                if (halve) prediction >>= 1;
                int vector = prediction + delta;
                if (vector < low) {
                    vector += range;
                } else if (vector > high) {
                    vector -= range;
                }
                slice.pmv[r][s][t] = halve ? vector * 2 : vector;
                if (s == 0) (t == 0 ? forward[r].x : forward[r].y) = vector;
            }
        }
    }
}

// Reads samples of the forward reference with picture coordinates clamped to the picture,
// so that vectors pointing outside it never leave the buffer.
class Reference {
public:
    Reference(const DecoderState& state)
        : data_(state.frames.buffers[state.frames.forward].data()),
          stride_(state.rowSamples()),
          lines_(16 * state.headers.mbHeight()),
          width_(16 * state.headers.mbWidth()) {}

    int at(int line, int x, int component) const {
        line = std::clamp(line, 0, lines_ - 1);
        x = std::clamp(x, 0, width_ - 1);
        return data_[static_cast<std::size_t>(lines_ - 1 - line) *
                         static_cast<std::size_t>(stride_) +
                     3 * static_cast<std::size_t>(x) + static_cast<std::size_t>(component)];
    }

private:
    const std::int16_t* data_;
    int stride_;
    int lines_;
    int width_;
};

void predictFrame(const DecoderState& state, std::int16_t* target, int stride, int top, int left,
                  Vector v) {
    const Reference ref(state);
    const int dy = v.y >> 1, dx = v.x >> 1, hx = v.x & 1, hy = v.y & 1;
    for (int y = 0; y < 16; ++y) {
        std::int16_t* row = target - static_cast<std::ptrdiff_t>(y) * stride;
        const int line = top + y + dy;
        for (int x = 0; x < 16; ++x) {
            const int px = left + x + dx;
            for (int c = 0; c < 3; ++c) {
                int value = ref.at(line, px, c);
                if (hx && hy) {
                    value = (value + ref.at(line, px + 1, c) + ref.at(line + 1, px, c) +
                             ref.at(line + 1, px + 1, c)) /
                            4;
                } else if (hx) {
                    value = (value + ref.at(line, px + 1, c)) / 2;
                } else if (hy) {
                    value = (value + ref.at(line + 1, px, c)) / 2;
                }
                row[3 * x + c] = static_cast<std::int16_t>(value);
            }
        }
    }
}

void predictField(const DecoderState& state, std::int16_t* target, int stride, int top, int left,
                  const Vector (&vectors)[2]) {
    const Reference ref(state);
    const MacroblockState& mb = state.mb;
    for (int y = 0; y < 16; ++y) {
        const bool bottom = (y & 1) != 0;
        const int r = (bottom && mb.motionVectorCount == 2) ? 1 : 0;
        const Vector v = vectors[r];
        const int select = mb.fieldSelect[r][0];
        int line = top + y + v.y;
        if ((line & 1) != select) line += bottom ? -1 : 1;
        std::int16_t* row = target - static_cast<std::ptrdiff_t>(y) * stride;
        for (int x = 0; x < 16; ++x) {
            const int px = left + x + (v.x >> 1);
            for (int c = 0; c < 3; ++c) {
                int value = ref.at(line, px, c);
                if (v.x & 1) value = (value + ref.at(line, px + 1, c)) / 2;
                row[3 * x + c] = static_cast<std::int16_t>(value);
            }
        }
    }
}

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
        predictFrame(state, target, stride, top, left, Vector{});
    } else {
        Vector vectors[2];
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
