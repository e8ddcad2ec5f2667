// The integer inverse DCT against a double-precision one, and dequantisation: weights by
// raster position under both scans, DC scaling, saturation and mismatch control.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "preview/decoder_state.h"
#include "preview/idct.h"
#include "preview/slice_decoder.h"
#include "preview/vlc_tables.h"

namespace velmorin::preview {
namespace {

void referenceIdct(const std::int32_t in[64], double out[64]) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            double sum = 0;
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u) {
                    const double cu = u ? 1 : std::sqrt(0.5), cv = v ? 1 : std::sqrt(0.5);
                    sum += cu * cv * in[8 * v + u] * std::cos((2 * x + 1) * u * M_PI / 16) *
                           std::cos((2 * y + 1) * v * M_PI / 16);
                }
            out[8 * y + x] = sum / 4;
        }
}

TEST(InverseTransform, StaysWithinOneOfTheExactTransform) {
    // A lone DC value d gives (d + 4) >> 3 everywhere: 1024 -> 128, -1 -> 0, -9 -> -1.
    for (const int dc : {1024, -1, -9, 2047, -2048}) {
        std::int32_t block[64] = {dc};
        inverseTransform(block);
        for (int i = 0; i < 64; ++i) ASSERT_EQ(block[i], (dc + 4) >> 3) << dc;
    }
    // Random blocks in the IEEE 1180 style ranges, full and with rows and columns 4–6 empty
    // (the shape of most real blocks, which the transform computes on a shorter path):
    // every output within 1 of the rounded exact value, and no overall bias.
    std::mt19937 random(7);
    for (const int range : {5, 256, 2048}) {
        double bias = 0;
        for (int n = 0; n < 2000; ++n) {
            std::int32_t block[64];
            std::uniform_int_distribution<int> value(-range, range - 1);
            for (int i = 0; i < 64; ++i) {
                const bool empty =
                    n % 2 && ((i % 8 >= 4 && i % 8 <= 6) || (i / 8 >= 4 && i / 8 <= 6));
                block[i] = empty ? 0 : value(random);
            }
            double exact[64];
            referenceIdct(block, exact);
            inverseTransform(block);
            for (int i = 0; i < 64; ++i) {
                ASSERT_LE(std::abs(block[i] - std::lround(exact[i])), 1) << range;
                bias += block[i] - exact[i];
            }
        }
        EXPECT_LT(std::abs(bias / (2000 * 64)), 0.02) << range;
    }
}

class Dequantise : public ::testing::Test {
protected:
    Dequantise() {
        s->headers.chromaFormat = 1;
        s->slice.quantiserScaleCode = 4;  // linear: 8
        for (int k = 0; k < 64; ++k) s->matrices.intraLuma[k] = static_cast<std::uint8_t>(10 + k);
        s->matrices.nonIntraLuma.fill(16);
        s->coefficientCount[0] = 64;
    }
    // Sets the coefficient sent at scan index k of block 0.
    void send(int k, int value) { s->coefficients[0][k] = value; }
    std::int32_t at(int raster) const { return s->blocks[0][raster]; }

    std::unique_ptr<DecoderState> s = std::make_unique<DecoderState>();
};

TEST_F(Dequantise, WeightsFollowTheRasterPositionUnderEitherScan) {
    s->mb.flags = kMbIntra;
    s->headers.intraDcPrecision = 1;
    send(0, 100);
    send(2, 3);  // zigzag index 2 is raster 8; alternate index 2 is raster 16
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(0), 400);  // DC × 4 at precision 1
    EXPECT_EQ(at(8), (3 * (10 + 2) * 8 * 2) / 32);
    s->headers.alternateScan = 1;
    dequantiseBlock(*s, 0);
    // Raster 16 is zigzag index 3: its weight is the matrix's entry 3.
    EXPECT_EQ(at(16), (3 * (10 + 3) * 8 * 2) / 32);
    EXPECT_EQ(at(8), 0);
}

TEST_F(Dequantise, SaturatesAndControlsMismatch) {
    s->mb.flags = kMbPattern;  // non-intra
    send(0, -2);               // ((2·-2 - 1)·16·8)/32 = -20
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(0), -20);
    EXPECT_EQ(at(63), 1);  // the sum -20 is even: the last value goes from 0 to 1
    send(1, 1);            // (3·16·8)/32 = 12; sum -8 even, again
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(1), 12);
    EXPECT_EQ(at(63), 1);
    send(0, -1);  // -12 + 12 = 0, still even
    send(63, 1);  // raster 63: +12 -> 12, even: becomes 13
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(63), 13);
    send(63, 0);
    send(5, 2047);  // saturated to 2047; the sum 2047 is odd: no change
    send(0, 0);
    send(1, 0);
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(kZigzagScan[5]), 2047);
    EXPECT_EQ(at(63), 0);
    send(5, -2047);
    dequantiseBlock(*s, 0);
    EXPECT_EQ(at(kZigzagScan[5]), -2048);
    EXPECT_EQ(at(63), 1);
}

}  // namespace
}  // namespace velmorin::preview
