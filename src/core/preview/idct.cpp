#include "preview/idct.h"

namespace velmorin::preview {

namespace {

// 4096 × √2 × cos(kπ/16), rounded; K0 = K4 = 4096.
constexpr std::int32_t K0 = 4096, K1 = 5681, K2 = 5352, K3 = 4816, K4 = 4096, K5 = 3218, K6 = 2217,
                       K7 = 1130;

// One 1-D pass over x[0], x[stride], … x[7 × stride], writing y the same way.
template <std::int32_t R, int Q>
inline void pass(const std::int32_t* x, int inStride, std::int32_t* y, int outStride) {
    const std::int32_t x0 = x[0], x1 = x[inStride], x2 = x[2 * inStride], x3 = x[3 * inStride],
                       x4 = x[4 * inStride], x5 = x[5 * inStride], x6 = x[6 * inStride],
                       x7 = x[7 * inStride];
    if ((x1 | x2 | x3 | x4 | x5 | x6 | x7) == 0) {
        // Only the DC term: every output is the same value as the full formula gives.
        const std::int32_t v = (K0 * x0 + R) >> Q;
        for (int i = 0; i < 8; ++i) y[i * outStride] = v;
        return;
    }
    if ((x4 | x5 | x6) == 0) {
        // The same formula with the terms of x4, x5 and x6 left out (they are zero); the
        // usual case for the low-frequency blocks of real pictures.
        const std::int32_t a = K0 * x0 + R;
        const std::int32_t e0 = a + K2 * x2;
        const std::int32_t e3 = a - K2 * x2;
        const std::int32_t e1 = a + K6 * x2;
        const std::int32_t e2 = a - K6 * x2;
        const std::int32_t o0 = K1 * x1 + K3 * x3 + K7 * x7;
        const std::int32_t o1 = K3 * x1 - K7 * x3 - K5 * x7;
        const std::int32_t o2 = K5 * x1 - K1 * x3 + K3 * x7;
        const std::int32_t o3 = K7 * x1 - K5 * x3 - K1 * x7;
        y[0 * outStride] = (e0 + o0) >> Q;
        y[7 * outStride] = (e0 - o0) >> Q;
        y[1 * outStride] = (e1 + o1) >> Q;
        y[6 * outStride] = (e1 - o1) >> Q;
        y[2 * outStride] = (e2 + o2) >> Q;
        y[5 * outStride] = (e2 - o2) >> Q;
        y[3 * outStride] = (e3 + o3) >> Q;
        y[4 * outStride] = (e3 - o3) >> Q;
        return;
    }
    const std::int32_t a = K0 * x0 + R + K4 * x4;
    const std::int32_t b = K0 * x0 + R - K4 * x4;
    const std::int32_t e0 = a + K2 * x2 + K6 * x6;
    const std::int32_t e3 = a - K2 * x2 - K6 * x6;
    const std::int32_t e1 = b + K6 * x2 - K2 * x6;
    const std::int32_t e2 = b - K6 * x2 + K2 * x6;
    const std::int32_t o0 = K1 * x1 + K3 * x3 + K5 * x5 + K7 * x7;
    const std::int32_t o1 = K3 * x1 - K7 * x3 - K1 * x5 - K5 * x7;
    const std::int32_t o2 = K5 * x1 - K1 * x3 + K7 * x5 + K3 * x7;
    const std::int32_t o3 = K7 * x1 - K5 * x3 + K3 * x5 - K1 * x7;
    y[0 * outStride] = (e0 + o0) >> Q;
    y[7 * outStride] = (e0 - o0) >> Q;
    y[1 * outStride] = (e1 + o1) >> Q;
    y[6 * outStride] = (e1 - o1) >> Q;
    y[2 * outStride] = (e2 + o2) >> Q;
    y[5 * outStride] = (e2 - o2) >> Q;
    y[3 * outStride] = (e3 + o3) >> Q;
    y[4 * outStride] = (e3 - o3) >> Q;
}

}  // namespace

void inverseTransform(std::int32_t block[64]) {
    std::int32_t scratch[64];
    for (int column = 0; column < 8; ++column)
        pass<2048, 12>(block + column, 8, scratch + column, 8);
    for (int row = 0; row < 8; ++row) pass<16384, 15>(scratch + 8 * row, 1, block + 8 * row, 1);
}

}  // namespace velmorin::preview
