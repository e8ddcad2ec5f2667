// Where the values of an intra macroblock's blocks land: frame and field DCT line order for
// luma, and the chroma rows that serve each line of progressive and interlaced frames.
#include "preview/reconstruction.h"

#include <gtest/gtest.h>

#include <memory>

#include "preview/vlc_tables.h"

namespace velmorin::preview {
namespace {

class IntraMacroblock : public ::testing::Test {
protected:
    IntraMacroblock() {
        s->headers.horizontalSize = 64;
        s->headers.verticalSize = 256;
        s->headers.chromaFormat = 1;
        s->macroblockAddress = 6;  // column 1, row 1
        s->mb.flags = kMbIntra;
        for (int b = 0; b < 4; ++b)
            for (int i = 0; i < 64; ++i) s->blocks[b][i] = 1000 * b + i;
        for (int i = 0; i < 64; ++i) {
            s->blocks[4][i] = 128 + i;      // Cb - 128 = raster index
            s->blocks[5][i] = 128 - i / 8;  // Cr - 128 = -row
        }
    }
    // Y, Cb - 128, Cr - 128 at line y, column x of the macroblock.
    int sample(int y, int x, int c) const {
        return s->frames.buffers[s->frames.current][sampleIndex(*s, 16 + y, 16 + x) + c];
    }

    std::unique_ptr<DecoderState> s = std::make_unique<DecoderState>();
};

TEST_F(IntraMacroblock, FrameDctAndProgressiveChroma) {
    s->headers.progressiveFrame = 1;
    reconstructMacroblock(*s);
    EXPECT_EQ(sample(0, 0, 0), 0);
    EXPECT_EQ(sample(1, 9, 0), 1000 + 9);
    EXPECT_EQ(sample(9, 2, 0), 2000 + 10);
    EXPECT_EQ(sample(15, 15, 0), 3063);
    // Chroma row = line / 2, column = x / 2.
    EXPECT_EQ(sample(0, 0, 1), 0);
    EXPECT_EQ(sample(1, 1, 1), 0);
    EXPECT_EQ(sample(2, 3, 1), 8 + 1);
    EXPECT_EQ(sample(15, 15, 2), -7);
}

TEST_F(IntraMacroblock, FieldDctAndInterlacedChroma) {
    s->headers.progressiveFrame = 0;
    s->mb.dctType = 1;
    reconstructMacroblock(*s);
    // Even lines from blocks 0/1, odd lines from blocks 2/3, one block row per field line.
    EXPECT_EQ(sample(0, 0, 0), 0);
    EXPECT_EQ(sample(1, 0, 0), 2000);
    EXPECT_EQ(sample(2, 9, 0), 1000 + 8 + 1);
    EXPECT_EQ(sample(15, 8, 0), 3000 + 56);
    // Lines 0 and 2 take chroma row 0, lines 1 and 3 row 1, lines 4 and 6 row 2, 5 and 7 row 3.
    const int rows[8] = {0, 1, 0, 1, 2, 3, 2, 3};
    for (int y = 0; y < 8; ++y) EXPECT_EQ(sample(y, 0, 2), -rows[y]) << y;
    EXPECT_EQ(sample(14, 0, 2), -6);
    EXPECT_EQ(sample(15, 0, 2), -7);
}

TEST_F(IntraMacroblock, NothingIsWrittenWithoutAPositionOrFor422) {
    const auto before = s->frames.buffers[s->frames.current];
    s->macroblockAddress = 0;
    reconstructMacroblock(*s);
    EXPECT_TRUE(s->frames.buffers[s->frames.current] == before);
    s->macroblockAddress = 6;
    s->headers.chromaFormat = 2;
    reconstructMacroblock(*s);
    EXPECT_TRUE(s->frames.buffers[s->frames.current] == before);
}

}  // namespace
}  // namespace velmorin::preview
