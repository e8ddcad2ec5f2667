// The preview decoder's edge cases, on streams made by ffmpeg and cut or patched here: the
// silent stop on small pictures, a GOP that ends before its second picture, the
// continuation into the next file, a first field picture, a P picture, decode errors.
#include <gtest/gtest.h>

#include "pack_builder.h"
#include "preview/decoder_state.h"
#include "preview/preview_decoder.h"
#include "preview_streams.h"
#include "scripted_ui.h"
#include "state/app_state.h"

namespace velmorin {
namespace {

using preview::PreviewDecoder;
using preview::PreviewImage;
using preview::PreviewRequest;

class PreviewEdgeCases : public ::testing::Test {
protected:
    PreviewEdgeCases() {
        std::fill(decoder.image().pixels.begin(), decoder.image().pixels.end(), std::uint8_t{77});
    }

    bool decode(const std::string& path, const std::string& next = {}) {
        ui.messages.clear();
        PreviewRequest request;
        request.path = path;
        request.nextPath = next;
        return decoder.decode(request, ui);
    }
    std::string progressive() {
        return test::makePreviewStream("progressive_720x480", "720x480", "30000/1001", "");
    }
    std::string write(const std::string& name, const std::string& bytes) {
        test::writeBytes(dir.file(name), bytes);
        return dir.file(name);
    }

    std::unique_ptr<PreviewDecoder> owner = std::make_unique<PreviewDecoder>();
    PreviewDecoder& decoder = *owner;
    ShellState shell;
    test::ScriptedUi ui{shell};
    test::TempDir dir;
};

TEST_F(PreviewEdgeCases, PicturesOf240LinesOrFewerStopSilentlyAndKeepTheImage) {
    ASSERT_TRUE(decode(progressive()));
    const PreviewImage shown = decoder.image();
    for (const char* size : {"352x240", "720x240"}) {
        SCOPED_TRACE(size);
        const std::string small =
            test::makePreviewStream(std::string("small_") + size, size, "30000/1001", "");
        ASSERT_FALSE(small.empty());
        EXPECT_FALSE(decode(small));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(decoder.lastErrorCode(), PreviewDecoder::kSmallPicture);
        EXPECT_TRUE(decoder.image().pixels == shown.pixels);
    }
}

TEST_F(PreviewEdgeCases, AGopEndingBeforeItsSecondPictureWritesNothingUnlessTheNextFileGoesOn) {
    const std::string es = test::videoElementaryStream(test::readFile(progressive()));
    const auto pictures = test::startCodes(es, 0x00);
    ASSERT_GE(pictures.size(), 2u);
    // The first file ends right after the first picture's last slice.
    const std::string head = write("VTS_01_1.VOB", test::videoPacks(es.substr(0, pictures[1])));
    const std::string tail = write("VTS_01_2.VOB", test::videoPacks(es.substr(pictures[1])));
    const PreviewImage before = decoder.image();

    // The last file of the set: the input ends, no image and no message.
    EXPECT_FALSE(decode(head));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(decoder.lastErrorCode(), 0);
    EXPECT_TRUE(decoder.image().pixels == before.pixels);

    // With the next file named, the read goes on into it and the picture is finished.
    EXPECT_TRUE(decode(head, tail));
    EXPECT_TRUE(ui.messages.empty());
    const PreviewImage joined = decoder.image();
    ASSERT_TRUE(decode(progressive()));
    EXPECT_TRUE(decoder.image().pixels == joined.pixels);
}

TEST_F(PreviewEdgeCases, AFirstFieldPictureFillsTheUpperHalfOfTheFrame) {
    // The 15 macroblock rows of a 720 × 240 picture, announced as the top field of a
    // 720 × 480 frame: they land on lines 0–239 like a frame picture's rows; lines 240–479
    // keep what the buffer held (zeros in a fresh decoder: black).
    const std::string half =
        test::makePreviewStream("field_source_720x240", "720x240", "30000/1001", "");
    ASSERT_FALSE(half.empty());
    std::string es = test::videoElementaryStream(test::readFile(half));
    const auto sequence = test::startCodes(es, 0xB3);
    ASSERT_FALSE(sequence.empty());
    es[sequence[0] + 5] = static_cast<char>((es[sequence[0] + 5] & 0xF0) | (480 >> 8));
    es[sequence[0] + 6] = static_cast<char>(480 & 0xFF);
    bool patched = false;
    const auto pictures = test::startCodes(es, 0x00);
    for (const std::size_t at : test::startCodes(es, 0xB5)) {
        if (at > pictures[0] && at < pictures[1] &&
            (static_cast<std::uint8_t>(es[at + 4]) >> 4) == 8) {
            es[at + 6] =
                static_cast<char>((es[at + 6] & 0xFC) | 1);  // picture_structure: top field
            patched = true;
        }
    }
    ASSERT_TRUE(patched);
    ASSERT_TRUE(decode(write("field.vob", test::videoPacks(es))));
    EXPECT_EQ(decoder.state().headers.pictureStructure, 1);

    const auto field = test::ffmpegPicture(half, 720, 240);
    ASSERT_TRUE(field.has_value());
    test::YuvPicture frame;
    frame.width = 720;
    frame.height = 480;
    frame.y.assign(720 * 480, 0);
    frame.cb.assign(360 * 240, 128);
    frame.cr.assign(360 * 240, 128);
    std::copy(field->y.begin(), field->y.end(), frame.y.begin());
    std::copy(field->cb.begin(), field->cb.end(), frame.cb.begin());
    std::copy(field->cr.begin(), field->cr.end(), frame.cr.begin());
    EXPECT_GE(test::psnr(decoder.image(), test::previewOf(frame, false, PreviewImage{})), 40.0);
    // The bottom image rows show lines 479, 477, … 241: black.
    for (int r = 0; r < 120; ++r)
        for (int b = 0; b < PreviewImage::kRowBytes; ++b)
            ASSERT_EQ(decoder.image().row(r)[b], 0) << r;
}

TEST_F(PreviewEdgeCases, APPicturePredictsFromTheForwardReference) {
    // I P P …: the decoder starts on the P picture with the I picture placed in its forward
    // reference buffer, as an earlier decode would have left it. Chroma is predicted with
    // the luma vector on the full-resolution chroma, which differs a little from ffmpeg's
    // half-resolution chroma prediction; a grey stream checks the luma prediction closely.
    struct Case {
        const char* name;
        const char* options;
        double minimum;
    };
    for (const Case c :
         {Case{"ip_grey_720x480", "-bf 0 -vf hue=s=0", 50.0}, Case{"ip_720x480", "-bf 0", 33.0}}) {
        SCOPED_TRACE(c.name);
        const std::string stream =
            test::makePreviewStream(c.name, "720x480", "30000/1001", c.options);
        ASSERT_FALSE(stream.empty());
        ASSERT_TRUE(decode(stream));
        auto& frames = decoder.state().frames;
        frames.buffers[1] = frames.buffers[0];

        const std::string es = test::videoElementaryStream(test::readFile(stream));
        const auto pictures = test::startCodes(es, 0x00);
        ASSERT_GE(pictures.size(), 3u);
        const std::string onlyP = es.substr(0, pictures[0]) +
                                  es.substr(pictures[1], pictures[2] - pictures[1]) +
                                  es.substr(pictures[2], 8);
        ASSERT_TRUE(decode(write("p.vob", test::videoPacks(onlyP))));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(decoder.state().headers.pictureCodingType, preview::kPictureP);

        const auto p = test::ffmpegPicture(stream, 720, 480, 1);
        ASSERT_TRUE(p.has_value());
        const double db = test::psnr(decoder.image(), test::previewOf(*p, false, PreviewImage{}));
        std::printf("[ PSNR     ] %s, P picture: %.2f dB\n", c.name, db);
        EXPECT_GE(db, c.minimum);
    }
}

TEST_F(PreviewEdgeCases, DecodeErrorsAreShownAfterThePictureIsConverted) {
    std::string es = test::videoElementaryStream(test::readFile(progressive()));
    const auto pictures = test::startCodes(es, 0x00);
    std::size_t extension = 0;
    for (const std::size_t at : test::startCodes(es, 0xB5))
        if (!extension && at > pictures[0] && (static_cast<std::uint8_t>(es[at + 4]) >> 4) == 8)
            extension = at;
    ASSERT_NE(extension, 0u);
    // f_code[0][0] = 0 and f_code[1][0] = 0: the last zero one names the error.
    es[extension + 4] = static_cast<char>(0x80);
    es[extension + 5] = static_cast<char>(es[extension + 5] & 0xF0);
    const std::string path = write("fcode.vob", test::videoPacks(es));
    EXPECT_TRUE(decode(path));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{
                               {"error", "デコードエラー（3）が発生しました（プレビュー）."}}));

    EXPECT_FALSE(decode(dir.file("missing.vob")));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{
                  {"error", dir.file("missing.vob") + "が開けません（プレビュー）."}}));
}

}  // namespace
}  // namespace velmorin
