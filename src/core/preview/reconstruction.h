// Reconstruction of one 4:2:0 macroblock into the current frame buffer: prediction (intra,
// copy, or forward motion compensation in frame or field format), then the addition of the
// transformed blocks with frame or field DCT line order.
#pragma once

#include "preview/decoder_state.h"

namespace velmorin::preview {

void reconstructMacroblock(DecoderState& state);

// Index of the Y sample of picture pixel (x, line) in a frame buffer (line 0 is the top).
inline std::size_t sampleIndex(const DecoderState& state, int line, int x) {
    const int lines = 16 * state.headers.mbHeight();
    return static_cast<std::size_t>(lines - 1 - line) *
               static_cast<std::size_t>(state.rowSamples()) +
           3 * static_cast<std::size_t>(x);
}

}  // namespace velmorin::preview
