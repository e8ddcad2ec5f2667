// Slices written bit by bit: coefficient codes and escapes, DC prediction, the error codes,
// P-picture macroblocks (skips, half-sample and out-of-picture vectors) against a forward
// reference with a known pattern, and slices placed by their start codes.
#include "preview/slice_decoder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "pack_builder.h"
#include "preview/bit_reader.h"
#include "preview/decoder_state.h"
#include "preview/preview_decoder.h"
#include "preview/reconstruction.h"
#include "silent_ui.h"
#include "slice_bits.h"

namespace velmorin::preview {
namespace {

TEST(SliceDecoder, IntraCoefficientsEscapesAndDcPrediction) {
    auto s = iPictureState();
    s->headers.chromaFormat = 0;  // parse only
    Bits b;
    b << "00001"
      << "0";  // quantiser_scale_code, no extra information
    b << "1"
      << "1";  // increment 1, intra
    // Block 0: DC size 0; escape run 0 level 0xFFF; escape run 2 level 0x800; end of block.
    b << "100"
      << "000001 000000 111111111111"
      << "000001 000010 100000000000"
      << "10";
    b << "01 01"
      << "10";  // block 1: DC size 2, differential 01 -> -2
    b << "100"
      << "10";  // block 2: the predictor carries the -2
    b << "100"
      << "011 1"
      << "10";  // block 3: run 1, level -1
    b << "00"
      << "10"
      << "00"
      << "10";  // chroma blocks: DC size 0
    decode(*s, b);
    EXPECT_EQ(s->errorCode, kNoError);
    EXPECT_EQ(s->macroblockAddress, 1);
    const std::int32_t* c = s->coefficients[0];
    EXPECT_EQ(std::vector<int>(c, c + 6), (std::vector<int>{128, -1, 0, 0, -2048, 0}));
    EXPECT_EQ(s->coefficients[1][0], 126);
    EXPECT_EQ(s->coefficients[2][0], 126);
    EXPECT_EQ(std::vector<int>(s->coefficients[3], s->coefficients[3] + 3),
              (std::vector<int>{126, 0, -1}));
    EXPECT_EQ(s->coefficients[4][0], 128);

    // intra_dc_precision 2: the predictors restart at 512.
    s->headers.intraDcPrecision = 2;
    decode(*s, b);
    EXPECT_EQ(s->coefficients[0][0], 512);
    EXPECT_EQ(s->coefficients[1][0], 510);
}

TEST(SliceDecoder, ErrorCodesEndTheSliceAfterTheirMacroblock) {
    auto s = iPictureState();
    s->headers.chromaFormat = 0;
    {
        // 64 coefficients after the DC: the last one lands at 64 -> 11, the block goes on.
        Bits b;
        b << "00001 0"
          << "1 1"
          << "100";
        for (int i = 0; i < 64; ++i) b << "11 0";
        b << "10"
          << "100 10 100 10 100 10 00 10 00 10";
        b << "1 1 100 10 100 10 100 10 100 10 00 10 00 10";  // a second macroblock, not decoded
        decode(*s, b);
        EXPECT_EQ(s->errorCode, kErrorTooManyCoefficients);
        EXPECT_EQ(s->macroblockAddress, 1);
        EXPECT_EQ(s->coefficients[0][63], 1);
    }
    {
        s->errorCode = kNoError;
        s->macroblockAddress = 0;
        Bits b;
        b << "00001 0"
          << "1 1"
          << "100"
          << "0000 0000 0000 0001";  // no such coefficient code
        decode(*s, b);
        EXPECT_EQ(s->errorCode, kErrorCoefficientCode);
    }
    {
        // P picture: an invalid increment (address stays 0), an invalid coded_block_pattern,
        // an invalid motion_code.
        s->errorCode = kNoError;
        s->macroblockAddress = 0;
        s->headers.pictureCodingType = kPictureP;
        Bits i;
        i << "00001 0"
          << "0000 0010 000"
          << "1 1 1 1";
        decode(*s, i);
        EXPECT_EQ(s->errorCode, kErrorAddressIncrement);
        EXPECT_EQ(s->macroblockAddress, 0);
        s->errorCode = kNoError;
        Bits p;
        p << "00001 0"
          << "1"
          << "01"
          << "0000 0000 0"
          << "1111";
        decode(*s, p);
        EXPECT_EQ(s->errorCode, kErrorCodedBlockPattern);
        EXPECT_EQ(s->macroblockAddress, 1);
        s->errorCode = kNoError;
        Bits m;
        m << "00001 0"
          << "1"
          << "001"
          << "0000 0000 0000";  // forward only: no pattern follows
        decode(*s, m);
        EXPECT_EQ(s->errorCode, kErrorMotionCode);
    }
}

// A P picture of 4 × 16 macroblocks over a reference with a known pattern.
class PPicture : public ::testing::Test {
protected:
    PPicture() : s(iPictureState()) {
        s->headers.pictureCodingType = kPictureP;
        s->frames.forward = 1;
        s->frames.current = 0;
        for (int line = 0; line < 256; ++line)
            for (int x = 0; x < 64; ++x) {
                std::int16_t* p = reference() + sampleIndex(*s, line, x);
                p[0] = static_cast<std::int16_t>((line * 7 + x * 3) % 200);
                p[1] = static_cast<std::int16_t>(x - 50);
                p[2] = static_cast<std::int16_t>(line - 30);
            }
        s->frames.buffers[0] = s->frames.buffers[1];  // the picture header's copy
    }
    std::int16_t* reference() { return s->frames.buffers[1].data(); }
    int current(int line, int x, int c) const {
        return s->frames.buffers[0][sampleIndex(*s, line, x) + c];
    }
    int ref(int line, int x, int c) {
        line = std::clamp(line, 0, 255);
        x = std::clamp(x, 0, 63);
        return reference()[sampleIndex(*s, line, x) + c];
    }

    std::unique_ptr<DecoderState> s;
};

TEST_F(PPicture, SkippedMacroblocksKeepTheReferenceAndVectorsStayInside) {
    Bits b;
    b << "10000 0";  // quantiser_scale_code 16
    // Macroblock 1: forward only, vector (+1, -16) half samples: half-sample average across,
    // eight lines up, above the picture's top.
    b << "1"
      << "001"
      << "010"
      << "0000 0011 001";
    // Macroblock 4 (increment 3): pattern only, no motion (a copy), Cr block coded with one
    // coefficient: the first-coefficient code "1", positive.
    b << "010"
      << "01"
      << "0101 1"
      << "1 0"
      << "10";
    decode(*s, b);
    ASSERT_EQ(s->errorCode, kNoError);
    EXPECT_EQ(s->macroblockAddress, 4);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            for (int c = 0; c < 3; ++c) {
                const int expected = (ref(y - 8, x, c) + ref(y - 8, x + 1, c)) / 2;
                ASSERT_EQ(current(y, x, c), expected) << y << " " << x << " " << c;
            }
    // Macroblocks 2 and 3 were skipped: the reference's copy.
    for (int y = 0; y < 16; ++y)
        for (int x = 16; x < 48; ++x)
            for (int c = 0; c < 3; ++c) ASSERT_EQ(current(y, x, c), ref(y, x, c));
    // Macroblock 4: Y and Cb copied; Cr gets the coded block's values ((2+1)·16·32/32 = 48,
    // a DC of 6 everywhere, give or take the mismatch control's 1 at the last coefficient).
    for (int y = 0; y < 16; ++y)
        for (int x = 48; x < 64; ++x) {
            ASSERT_EQ(current(y, x, 0), ref(y, x, 0));
            ASSERT_EQ(current(y, x, 1), ref(y, x, 1));
            ASSERT_NEAR(current(y, x, 2), ref(y, x, 2) + 6, 1);
        }
}

TEST_F(PPicture, AddressesStopAtThePicturesEnd) {
    Bits b;
    b << "10000 0";
    for (int i = 0; i < 3; ++i) b << "0000 0001 000";  // three escapes: +99
    b << "1"
      << "01"
      << "0101 1"
      << "1 0"
      << "10";  // …and one, pattern only
    // A damaged slice going on past the last macroblock: a forward-predicted macroblock
    // that would overwrite it with a prediction from eight lines up.
    b << "1"
      << "001"
      << "010"
      << "0000 0011 001";
    decode(*s, b);
    EXPECT_EQ(s->errorCode, kNoError);
    EXPECT_EQ(s->macroblockAddress, 64);
    // The last macroblock (bottom right) got the Cr block, and nothing after it.
    EXPECT_NEAR(current(255, 63, 2), ref(255, 63, 2) + 6, 1);
    EXPECT_EQ(current(250, 60, 0), ref(250, 60, 0));
}

// A 64 × 256 I picture in video packs: sequence header and extension, picture header and
// coding extension, one slice per macroblock row (each row with its own luma DC), and the
// next picture header, which ends the decode. The slice of row `dropped` is left out.
std::vector<test::Sector> iPictureStream(int dropped) {
    Bits b;
    b.startCode(0xB3).put(64, 12).put(256, 12).put(0x14, 8).put(0x3FFFF, 18) << "1";
    b.put(0, 10) << "0 0 0";  // vbv_buffer_size, constrained, the default matrices
    b.startCode(0xB5) << "0001 01001000 1 01 00 00";  // 4:2:0
    b.put(0, 12) << "1";
    b.put(0, 16);
    b.startCode(0x00).put(0, 10) << "001";  // I
    b.put(0xFFFF, 16) << "0";
    // f_codes 15, DC precision 8 bits, frame picture, frame DCT, progressive frame.
    b.startCode(0xB5) << "1000 1111 1111 1111 1111 00 11 0 1 0 0 0 0 0 0 1 0";
    for (int row = 0; row < 16; ++row) {
        if (row == dropped) continue;
        b.startCode(static_cast<unsigned>(row + 1)) << "00100 0";
        for (int mb = 0; mb < 4; ++mb) {
            b << "1 1";  // increment 1, intra
            if (mb == 0) {
                b << "1110";  // DC size 5: the row's DC is 128 + 16 + row
                b.put(static_cast<unsigned>(16 + row), 5) << "10";
            } else {
                b << "100 10";
            }
            b << "100 10  100 10  100 10  00 10  00 10";
        }
    }
    b.startCode(0x00).put(0, 32);
    const std::vector<std::uint8_t> es = b.bytes();
    std::vector<test::Sector> packs;
    for (std::size_t o = 0; o < es.size(); o += 2025) {
        test::Sector p = test::makePack(0xE0);
        std::copy_n(es.begin() + static_cast<std::ptrdiff_t>(o),
                    std::min<std::size_t>(2025, es.size() - o), p.begin() + 23);
        packs.push_back(p);
    }
    return packs;
}

TEST(SlicePlacement, ALostSliceCostsOnlyItsOwnRow) {
    test::TempDir dir;
    const auto decodeWithout = [&](int dropped) {
        auto decoder = std::make_unique<PreviewDecoder>();
        test::writeSectors(dir.file("title.vob"), iPictureStream(dropped));
        test::SilentUi ui;
        PreviewRequest request;
        request.path = dir.file("title.vob");
        EXPECT_TRUE(decoder->decode(request, ui));
        EXPECT_EQ(decoder->lastErrorCode(), kNoError);
        return decoder;
    };
    const auto intact = decodeWithout(-1);
    const auto lost = decodeWithout(3);
    const DecoderState& a = intact->state();
    const DecoderState& b = lost->state();
    // Every line but those of row 3 (left as they were: zero) is the intact picture's.
    for (int line = 0; line < 256; ++line) {
        const std::int16_t* pa =
            a.frames.buffers[a.frames.current].data() + sampleIndex(a, line, 0);
        const std::int16_t* pb =
            b.frames.buffers[b.frames.current].data() + sampleIndex(b, line, 0);
        EXPECT_EQ(std::equal(pa, pa + 3 * 64, pb), line / 16 != 3) << line;
    }
    EXPECT_EQ(a.frames.buffers[a.frames.current][sampleIndex(a, 255, 0)], 144 + 15);
}

}  // namespace
}  // namespace velmorin::preview
