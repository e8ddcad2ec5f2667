// Separable integer 8 × 8 inverse DCT: columns first (rounding 2048, shift 12) into a 32-bit
// scratch, then rows (rounding 16384, shift 15) back over the block. No clamping.
#pragma once

#include <cstdint>

namespace velmorin::preview {

void inverseTransform(std::int32_t block[64]);

// The same transform, from `in` to `out`, for a block whose nonzero values all lie in the
// marked rows and columns (bit r of `rows` for row r, bit c of `columns` for column c; a
// mark may be set for an all-zero row or column). The result is bit for bit
// inverseTransform's: each 1-D pass is an exact integer sum before its rounding shift, and
// the work skipped is exactly the terms that are zero. Every value of the block must lie
// within ±2048, as dequantised coefficients do; `in` is not changed.
void inverseTransformSparse(const std::int32_t in[64], std::int32_t out[64], unsigned rows,
                            unsigned columns);

}  // namespace velmorin::preview
