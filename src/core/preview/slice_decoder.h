// Slice and macroblock decoding: the slice header, macroblock addresses, modes, motion codes
// and coded block patterns; each block goes to the block decoder. I and P macroblocks are
// then transformed and handed to the reconstruction; B pictures are parsed only.
#pragma once

#include "preview/bit_reader.h"
#include "preview/decode_error.h"
#include "preview/decoder_state.h"

namespace velmorin::preview {

// Decodes one slice; `in` starts on the byte after the slice start code, whose value is
// `verticalPosition` (slice_vertical_position, 1 for the top macroblock row). A failure
// leaves its DecodeError in DecoderState::errorCode.
void decodeSlice(BitReader& in, DecoderState& state, int verticalPosition);

}  // namespace velmorin::preview
