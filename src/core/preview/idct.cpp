#include "preview/idct.h"

#include <algorithm>

namespace velmorin::preview {

namespace {

// 4096 × √2 × cos(kπ/16), rounded; K0 = K4 = 4096.
constexpr std::int32_t K0 = 4096, K1 = 5681, K2 = 5352, K3 = 4816, K4 = 4096, K5 = 3218, K6 = 2217,
                       K7 = 1130;

// The last step of a 1-D pass: even and odd halves into the eight outputs.
template <int Q>
inline void butterfly(std::int32_t e0, std::int32_t e1, std::int32_t e2, std::int32_t e3,
                      std::int32_t o0, std::int32_t o1, std::int32_t o2, std::int32_t o3,
                      std::int32_t* y, int outStride) {
    y[0 * outStride] = (e0 + o0) >> Q;
    y[7 * outStride] = (e0 - o0) >> Q;
    y[1 * outStride] = (e1 + o1) >> Q;
    y[6 * outStride] = (e1 - o1) >> Q;
    y[2 * outStride] = (e2 + o2) >> Q;
    y[5 * outStride] = (e2 - o2) >> Q;
    y[3 * outStride] = (e3 + o3) >> Q;
    y[4 * outStride] = (e3 - o3) >> Q;
}

// A 1-D pass whose inputs x1 … x7 are zero: every output is the same value.
template <std::int32_t R, int Q>
inline void passDc(std::int32_t x0, std::int32_t* y, int outStride) {
    const std::int32_t v = (K0 * x0 + R) >> Q;
    for (int i = 0; i < 8; ++i) y[i * outStride] = v;
}

// The full formula with the terms of x4, x5 and x6 left out (they are zero); the usual case
// for the low-frequency blocks of real pictures.
template <std::int32_t R, int Q>
inline void passWithout456(std::int32_t x0, std::int32_t x1, std::int32_t x2, std::int32_t x3,
                           std::int32_t x7, std::int32_t* y, int outStride) {
    const std::int32_t a = K0 * x0 + R;
    const std::int32_t e0 = a + K2 * x2;
    const std::int32_t e3 = a - K2 * x2;
    const std::int32_t e1 = a + K6 * x2;
    const std::int32_t e2 = a - K6 * x2;
    const std::int32_t o0 = K1 * x1 + K3 * x3 + K7 * x7;
    const std::int32_t o1 = K3 * x1 - K7 * x3 - K5 * x7;
    const std::int32_t o2 = K5 * x1 - K1 * x3 + K3 * x7;
    const std::int32_t o3 = K7 * x1 - K5 * x3 - K1 * x7;
    butterfly<Q>(e0, e1, e2, e3, o0, o1, o2, o3, y, outStride);
}

// One 1-D pass over x[0], x[stride], … x[7 × stride], writing y the same way; the shorter
// forms are taken when their left-out inputs are zero.
template <std::int32_t R, int Q>
inline void pass(const std::int32_t* x, int inStride, std::int32_t* y, int outStride) {
    const std::int32_t x0 = x[0], x1 = x[inStride], x2 = x[2 * inStride], x3 = x[3 * inStride],
                       x4 = x[4 * inStride], x5 = x[5 * inStride], x6 = x[6 * inStride],
                       x7 = x[7 * inStride];
    if ((x1 | x2 | x3 | x4 | x5 | x6 | x7) == 0) {
        passDc<R, Q>(x0, y, outStride);
        return;
    }
    if ((x4 | x5 | x6) == 0) {
        passWithout456<R, Q>(x0, x1, x2, x3, x7, y, outStride);
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
    butterfly<Q>(e0, e1, e2, e3, o0, o1, o2, o3, y, outStride);
}

}  // namespace

void inverseTransform(std::int32_t block[64]) {
    std::int32_t scratch[64];
    for (int column = 0; column < 8; ++column)
        pass<2048, 12>(block + column, 8, scratch + column, 8);
    for (int row = 0; row < 8; ++row) pass<16384, 15>(scratch + 8 * row, 1, block + 8 * row, 1);
}

void inverseTransformSparse(const std::int32_t in[64], std::int32_t out[64], unsigned rows,
                            unsigned columns) {
    rows &= 0xFF;
    columns &= 0xFF;
    // An all-zero block transforms to zero: (0 + 2048) >> 12 and (0 + 16384) >> 15 are 0.
    if (rows == 0 || columns == 0) {
        std::fill(out, out + 64, 0);
        return;
    }
    if (rows == 1 && columns == 1) {
        const std::int32_t v = (K0 * ((K0 * in[0] + 2048) >> 12) + 16384) >> 15;
        std::fill(out, out + 64, v);
        return;
    }
    if (rows == 0x81 && columns == 0x81 && in[7] == 0 && in[56] == 0) {
        // The DC and the last coefficient only: most blocks of a flat area, where the
        // mismatch control has set the last coefficient. Column 0 is the DC's constant,
        // column 7 the last coefficient's pass, and each row has x0 and x7 alone.
        const std::int32_t d = (K0 * in[0] + 2048) >> 12;
        std::int32_t t[8];
        passWithout456<2048, 12>(0, 0, 0, 0, in[63], t, 1);
        const std::int32_t a = K0 * d + 16384;
        // Row r is (a + w[j] × t[r]) >> 15; t is mostly -1, 0 or 1 (a last coefficient of ±1),
        // so those rows are made once and copied.
        constexpr std::int32_t w[8] = {K7, -K5, K3, -K1, K1, -K3, K5, -K7};
        std::int32_t flat[8], plus[8], minus[8];
        for (int j = 0; j < 8; ++j) {
            flat[j] = a >> 15;
            plus[j] = (a + w[j]) >> 15;
            minus[j] = (a - w[j]) >> 15;
        }
        for (int r = 0; r < 8; ++r) {
            std::int32_t* y = out + 8 * r;
            const std::int32_t x7 = t[r];
            if (x7 == 0) {
                std::copy(flat, flat + 8, y);
            } else if (x7 == 1) {
                std::copy(plus, plus + 8, y);
            } else if (x7 == -1) {
                std::copy(minus, minus + 8, y);
            } else {
                for (int j = 0; j < 8; ++j) y[j] = (a + w[j] * x7) >> 15;
            }
        }
        return;
    }
    // Columns, each into a row of the scratch (scratch[8c + r] is column c's value at row r).
    // An unmarked column is all zero and transforms to zero.
    std::int32_t scratch[64];
    for (int c = 0; c < 8; ++c) {
        std::int32_t* y = scratch + 8 * c;
        if (!((columns >> c) & 1)) {
            std::fill(y, y + 8, 0);
            continue;
        }
        const std::int32_t* x = in + c;
        if (rows == 1)
            passDc<2048, 12>(x[0], y, 1);
        else if ((rows & 0x70) == 0)
            passWithout456<2048, 12>(x[0], x[8], x[16], x[24], x[56], y, 1);
        else
            pass<2048, 12>(x, 8, y, 1);
    }
    // Rows: every row is nonzero at most in the marked columns.
    if (columns == 1) {
        for (int r = 0; r < 8; ++r) passDc<16384, 15>(scratch[r], out + 8 * r, 1);
    } else if ((columns & 0x70) == 0) {
        for (int r = 0; r < 8; ++r) {
            const std::int32_t* x = scratch + r;
            passWithout456<16384, 15>(x[0], x[8], x[16], x[24], x[56], out + 8 * r, 1);
        }
    } else {
        for (int r = 0; r < 8; ++r) pass<16384, 15>(scratch + r, 8, out + 8 * r, 1);
    }
}

}  // namespace velmorin::preview
