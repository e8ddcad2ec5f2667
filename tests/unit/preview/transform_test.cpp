// The integer inverse DCT against a double-precision one, and dequantisation as slices are
// decoded: weights by raster position under both scans, DC scaling, saturation and
// mismatch control.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <numbers>
#include <random>

#include "preview/decoder_state.h"
#include "preview/idct.h"
#include "preview/vlc_tables.h"
#include "slice_bits.h"

namespace velmorin::preview {
namespace {

void referenceIdct(const std::int32_t in[64], double out[64]) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            double sum = 0;
            for (int v = 0; v < 8; ++v)
                for (int u = 0; u < 8; ++u) {
                    const double cu = u ? 1 : std::sqrt(0.5), cv = v ? 1 : std::sqrt(0.5);
                    sum += cu * cv * in[8 * v + u] *
                           std::cos((2 * x + 1) * u * std::numbers::pi / 16) *
                           std::cos((2 * y + 1) * v * std::numbers::pi / 16);
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

// One macroblock whose block 0 carries the coefficients under test: the decoded block
// (dequantised, then transformed) must be the transform of the expected values.
class Dequantise : public ::testing::Test {
protected:
    // Decodes a slice of one macroblock: `header` (macroblock type and pattern) and block 0's
    // codes, the other blocks empty (intra: DC only).
    void decodeBlock0(const std::string& quantiserScaleCode, const std::string& header,
                      const std::string& block0) {
        Bits b;
        b << quantiserScaleCode << "0"
          << "1" << header << block0;
        if (s->headers.pictureCodingType == kPictureI) b << "100 10  100 10  100 10  00 10  00 10";
        decode(*s, b);
        ASSERT_EQ(s->errorCode, kNoError);
    }
    // Raster position -> dequantised value; every other value is 0.
    void expectBlock0(std::initializer_list<std::pair<int, int>> values) const {
        std::int32_t expected[64] = {};
        for (const auto& [p, v] : values) expected[p] = v;
        inverseTransform(expected);
        EXPECT_EQ(std::vector<int>(s->blocks[0], s->blocks[0] + 64),
                  std::vector<int>(expected, expected + 64));
    }

    std::unique_ptr<DecoderState> s = iPictureState();
};

TEST_F(Dequantise, IntraWeightsFollowTheRasterPositionUnderEitherScan) {
    for (int k = 0; k < 64; ++k) s->matrices.intraLuma[k] = static_cast<std::uint8_t>(10 + k);
    s->headers.intraDcPrecision = 1;  // DC predictor 256, DC × 4
    // quantiser_scale 8; intra; block 0: DC size 0, escape run 1 level 3 (scan index 2).
    const std::string block0 = "100  000001 000001 000000000011  10";
    decodeBlock0("00100", "1", block0);
    // Zigzag index 2 is raster 8 (weight 12); the sum 1042 is even: raster 63 becomes 1.
    expectBlock0({{0, 1024}, {8, (3 * 12 * 8 * 2) / 32}, {63, 1}});
    s->headers.alternateScan = 1;
    decodeBlock0("00100", "1", block0);
    // Alternate index 2 is raster 16, which is zigzag index 3 (weight 13); sum 1043 is odd.
    expectBlock0({{0, 1024}, {16, (3 * 13 * 8 * 2) / 32}});
}

TEST_F(Dequantise, NonIntraSaturatesAndControlsMismatch) {
    s->headers.pictureCodingType = kPictureP;
    // quantiser_scale 2, weight 16: F = 2·QF ± 1. Pattern only, coded_block_pattern 32
    // (block 0): the first code 1 (+1), levels 2047 and -2047 saturated, +1 at scan 3, and
    // -1 at scan 63 (raster 63). The sum 3 + 2047 - 2048 + 3 - 3 is even: -3 becomes -4.
    decodeBlock0("00001", "01 1010",
                 "1 0"
                 "  000001 000000 011111111111  000001 000000 100000000001"
                 "  000001 000000 000000000001  000001 111011 111111111111  10");
    expectBlock0({{0, 3}, {1, 2047}, {8, -2048}, {16, 3}, {63, -4}});
}

}  // namespace
}  // namespace velmorin::preview
