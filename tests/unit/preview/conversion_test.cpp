// The conversion of the frame store into the 360 × 240 image: the colour formula and the
// columns a narrow picture leaves alone (which lines and columns are shown is checked
// against ffmpeg's decodings end to end); and the image's BMP form.
#include "preview/conversion.h"

#include <gtest/gtest.h>

#include <memory>

#include "preview/reconstruction.h"

namespace velmorin::preview {
namespace {

std::vector<int> bgr(int y, int u, int v) {
    std::uint8_t out[3];
    convertPixel(y, u, v, out);
    return {out[0], out[1], out[2]};
}

TEST(Conversion, ColourFormula) {
    EXPECT_EQ(bgr(0, 0, 0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(bgr(255, 0, 0), (std::vector<int>{255, 255, 255}));
    EXPECT_EQ(bgr(128, 0, 127), (std::vector<int>{128, 128 + ((-182 * 127) >> 8), 255}));
    // Arithmetic shifts round down: (-88 · 1) >> 8 = -1, (454 · -1) >> 8 = -2.
    EXPECT_EQ(bgr(100, -1, 0), (std::vector<int>{98, 100, 100}));
    EXPECT_EQ(bgr(300, 0, 0), (std::vector<int>{255, 255, 255}));  // unclamped samples
    EXPECT_EQ(bgr(-20, 0, 0), (std::vector<int>{0, 0, 0}));
}

class PictureConversion : public ::testing::Test {
protected:
    // Fills buffer C with Y = picture line mod 256, U = column mod 100, V = 0.
    void picture(int width, int height) {
        s->headers.horizontalSize = width;
        s->headers.verticalSize = height;
        for (int line = 0; line < 16 * s->headers.mbHeight(); ++line)
            for (int x = 0; x < 16 * s->headers.mbWidth(); ++x) {
                std::int16_t* p =
                    s->frames.buffers[s->frames.current].data() + sampleIndex(*s, line, x);
                p[0] = static_cast<std::int16_t>(line % 256);
                p[1] = static_cast<std::int16_t>(x % 100);
                p[2] = 0;
            }
        std::fill(image.pixels.begin(), image.pixels.end(), std::uint8_t{7});
        convertPicture(*s, image);
    }
    // The picture column an image pixel shows, read back from U (V = 0, so red = Y).
    int columnAt(int row, int x) const {
        for (int column = 0; column < 100; ++column)
            if (bgr(image.row(row)[3 * x + 2], column, 0)[0] == image.row(row)[3 * x])
                return column;
        return -1;
    }

    std::unique_ptr<DecoderState> s = std::make_unique<DecoderState>();
    PreviewImage image;
};

TEST_F(PictureConversion, NarrowPicturesLeaveTheRightColumnsAlone) {
    picture(352, 480);
    EXPECT_EQ(columnAt(111, 351), 351 % 100);  // every column, 1:1 (line 257: Y = 1)
    for (int x = 352; x < 360; ++x)
        for (int b = 0; b < 3; ++b) EXPECT_EQ(image.row(3)[3 * x + b], 7);
}

TEST(PreviewImageFile, IsABottomUpTwentyFourBitBmp) {
    PreviewImage image;
    image.row(0)[0] = 1;    // bottom row, first pixel's blue
    image.row(239)[2] = 9;  // top row, first pixel's red
    const std::vector<std::uint8_t> bmp = bmpBytes(image);
    ASSERT_EQ(bmp.size(), 54u + 259200u);
    const std::vector<std::uint8_t> header(bmp.begin(), bmp.begin() + 30);
    EXPECT_EQ(header, (std::vector<std::uint8_t>{'B', 'M', 0xB6, 0xF4, 0x03, 0, 0, 0, 0,    0,
                                                 54,  0,   0,    0,    40,   0, 0, 0, 0x68, 1,
                                                 0,   0,   240,  0,    0,    0, 1, 0, 24,   0}));
    EXPECT_EQ(bmp[54], 1);
    EXPECT_EQ(bmp[54 + 239 * 1080 + 2], 9);
}

}  // namespace
}  // namespace velmorin::preview
