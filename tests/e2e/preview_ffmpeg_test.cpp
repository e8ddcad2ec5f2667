// The preview decoder against ffmpeg: the first picture of streams made by ffmpeg's MPEG-2
// encoder, decoded by us and by ffmpeg, must give the same preview image within 40 dB.
#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

#include "preview/decoder_state.h"
#include "preview/preview_decoder.h"
#include "preview_streams.h"
#include "scripted_ui.h"
#include "state/app_state.h"

namespace velmorin {
namespace {

struct StreamCase {
    const char* name;
    const char* size;
    const char* rate;
    const char* options;
    int width;
    int height;
    bool interlaced;
    // Picture coding extension fields the options must have produced.
    int alternateScan = 0;
    int intraVlcFormat = 0;
    int qScaleType = 0;
    int intraDcPrecision = 0;
};

void PrintTo(const StreamCase& c, std::ostream* os) {
    *os << c.name;
}

// A non-flat intra matrix, in the raster order ffmpeg takes it.
std::string customIntraMatrix() {
    std::string m;
    for (int i = 0; i < 64; ++i) {
        // Appended piece by piece: GCC 12 at -O3 sees a false overlap (-Wrestrict) in
        // `const char* + std::string`.
        if (i) m += ',';
        m += std::to_string(8 + (i % 8) * 3 + (i / 8) * 5);
    }
    return m;
}

class PreviewAgainstFfmpeg : public ::testing::TestWithParam<StreamCase> {};

TEST_P(PreviewAgainstFfmpeg, FirstPictureMatchesFfmpegsDecoding) {
    const StreamCase& c = GetParam();
    std::string options = c.options;
    if (options == "matrix") options = "-intra_matrix " + customIntraMatrix();
    const std::string stream = test::makePreviewStream(c.name, c.size, c.rate, options);
    ASSERT_FALSE(stream.empty()) << "ffmpeg could not make " << c.name;
    const auto reference = test::ffmpegPicture(stream, c.width, c.height);
    ASSERT_TRUE(reference.has_value());

    preview::PreviewDecoder decoder;
    // A grey background shows which pixels the decode left alone.
    std::fill(decoder.image().pixels.begin(), decoder.image().pixels.end(), std::uint8_t{77});
    const preview::PreviewImage background = decoder.image();
    ShellState shell;
    test::ScriptedUi ui(shell);
    preview::PreviewRequest request;
    request.path = stream;
    ASSERT_TRUE(decoder.decode(request, ui));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(decoder.lastErrorCode(), 0);
    const preview::HeaderState& h = decoder.state().headers;
    EXPECT_EQ(h.horizontalSize, c.width);
    EXPECT_EQ(h.verticalSize, c.height);
    EXPECT_EQ(h.pictureCodingType, preview::kPictureI);
    EXPECT_EQ(h.progressiveFrame == 0, c.interlaced);
    EXPECT_EQ(h.alternateScan, c.alternateScan);
    EXPECT_EQ(h.intraVlcFormat, c.intraVlcFormat);
    EXPECT_EQ(h.qScaleType, c.qScaleType);
    EXPECT_EQ(h.intraDcPrecision, c.intraDcPrecision);

    const preview::PreviewImage expected = test::previewOf(*reference, c.interlaced, background);
    const double db = test::psnr(decoder.image(), expected);
    std::printf("[ PSNR     ] %s: %.2f dB\n", c.name, db);
    EXPECT_GE(db, 40.0);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PreviewAgainstFfmpeg,
    ::testing::Values(
        StreamCase{"progressive_720x480", "720x480", "30000/1001", "", 720, 480, false},
        StreamCase{"interlaced_field_dct", "720x480", "30000/1001",
                   "-flags +ildct+ilme -alternate_scan 1 -top 1", 720, 480, true, 1},
        StreamCase{"intra_vlc_one", "720x480", "30000/1001", "-intra_vlc 1", 720, 480, false, 0, 1},
        StreamCase{"non_linear_quant", "720x480", "30000/1001", "-non_linear_quant 1 -qmax 28", 720,
                   480, false, 0, 0, 1},
        StreamCase{"custom_intra_matrix", "720x480", "30000/1001", "matrix", 720, 480, false},
        StreamCase{"dc_precision_9", "720x480", "30000/1001", "-dc 9", 720, 480, false, 0, 0, 0, 1},
        StreamCase{"dc_precision_10", "720x480", "30000/1001", "-dc 10 -profile:v 1", 720, 480,
                   false, 0, 0, 0, 2},
        StreamCase{"fine_quantiser", "720x480", "30000/1001", "-qscale:v 1 -intra_vlc 1", 720, 480,
                   false, 0, 1},
        StreamCase{"half_width_352x480", "352x480", "30000/1001", "", 352, 480, false},
        StreamCase{"pal_720x576", "720x576", "25", "", 720, 576, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmorin
