// Separable integer 8 × 8 inverse DCT: columns first (rounding 2048, shift 12) into a 32-bit
// scratch, then rows (rounding 16384, shift 15) back over the block. No clamping.
#pragma once

#include <cstdint>

namespace velmorin::preview {

void inverseTransform(std::int32_t block[64]);

}  // namespace velmorin::preview
