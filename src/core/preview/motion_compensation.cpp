#include "preview/motion_compensation.h"

#include <algorithm>
#include <cstdlib>

namespace velmorin::preview {

namespace {

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

}  // namespace

// Decodes the motion vectors of the macroblock from its motion codes and the predictors.
void computeVectors(DecoderState& state, MotionVector (&forward)[2]) {
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

void predictFrame(const DecoderState& state, std::int16_t* target, int stride, int top, int left,
                  MotionVector v) {
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
                  const MotionVector (&vectors)[2]) {
    const Reference ref(state);
    const MacroblockState& mb = state.mb;
    for (int y = 0; y < 16; ++y) {
        const bool bottom = (y & 1) != 0;
        const int r = (bottom && mb.motionVectorCount == 2) ? 1 : 0;
        const MotionVector v = vectors[r];
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

}  // namespace velmorin::preview
