// Parsers for the MPEG-2 video headers the preview reads: sequence header, extensions,
// group of pictures header and picture header. Each reader starts on the byte after the
// header's start code.
#pragma once

#include "preview/bit_reader.h"
#include "preview/decoder_state.h"

namespace velmorin::preview {

void parseSequenceHeader(BitReader& in, DecoderState& state);
// Dispatches on extension_start_code_identifier.
void parseExtension(BitReader& in, DecoderState& state);
void parseGroupOfPictures(BitReader& in, DecoderState& state);
// Parses the picture header and assigns the frame buffers to the new picture.
void parsePictureHeader(BitReader& in, DecoderState& state);

}  // namespace velmorin::preview
