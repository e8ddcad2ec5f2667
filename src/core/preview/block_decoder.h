// Block decoding: the DCT coefficients of one block (DC prediction, the coefficient code
// tables, escapes) and their dequantisation, which is applied to each coefficient as it is
// decoded.
#pragma once

#include <cstdint>

#include "preview/bit_reader.h"
#include "preview/decoder_state.h"
#include "preview/vlc_tables.h"

namespace velmorin::preview {

// The dequantisation of the current macroblock's blocks, applied to each coefficient as it
// is decoded (only 4:2:0 macroblocks of I and P pictures are reconstructed, and all their
// blocks use the luma matrices).
struct Dequantiser {
    int key = -1;  // what `step` was made for: the intra flag and quantiser_scale
    bool intra = false;
    int dcScale = 0;  // intra DC: × (8 >> intra_dc_precision)
    const std::uint8_t* scan = nullptr;
    std::int32_t step[64];  // weight × quantiser_scale, by scan index
};

// Brings the dequantiser up to date for the current macroblock. The weight matrices and the
// picture's values do not change within a slice, so `step` is remade only when the
// macroblock's intra flag or quantiser_scale differs from the last one's.
void prepareDequantiser(const DecoderState& state, Dequantiser& d);

// Where a block's nonzero dequantised values may lie (bits by row and by column), and the
// running sum for the mismatch control.
struct BlockMarks {
    unsigned rows = 0;
    unsigned columns = 0;
    std::int32_t sum = 0;
};

// Decodes block i into the coefficient store (scan order) and records how far its
// coefficients reach. With a dequantiser, a coded block's dequantised values (raster
// order, mismatch control applied) go to the working store, and `marks` tells where they
// may be nonzero.
void decodeBlock(BitReader& reader, DecoderState& state, const VlcTables& t, int i,
                 const Dequantiser* d, BlockMarks& marks);

}  // namespace velmorin::preview
