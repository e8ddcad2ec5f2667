#include "timing/audio_capture.h"

#include <gtest/gtest.h>

#include "common/byte_order.h"
#include "pack_builder.h"
#include "timing/presentation_map.h"

namespace velmorin {
namespace {

using test::NavFields;
using test::Sector;

constexpr std::int64_t kOrigin = 90000;  // the first VOBU's start: title time 0

// An audio packet whose one frame starts at its first data byte, which is `tag`.
Sector audioPack(std::uint8_t subStream, std::int64_t titleTime, std::uint8_t tag) {
    Sector p = test::makeAudioPack(subStream, titleTime < 0 ? -1 : titleTime + kOrigin);
    const std::size_t sub = 23 + std::size_t{p[22]};
    p[sub + 1] = 1;                    // frames starting here
    writeBe16(p.data() + sub + 2, 1);  // the first one right after the private header
    p[sub + 4] = tag;
    return p;
}

struct AudioCaptureTest : ::testing::Test {
    test::TempDir dir;
    test::VobBuilder vob;
    std::vector<int> vobuStarts;
    SectorBuffer buffer;
    std::unique_ptr<GopTable> table = std::make_unique<GopTable>();
    InputFileSet files;
    PresentationMap map;

    void vobu(NavFields nav = {.startPtm = kOrigin, .endPtm = kOrigin + 90000}) {
        vobuStarts.push_back(static_cast<int>(vob.sectors().size()));
        vob.pack(test::makeNavPack(nav));
    }
    void build(AudioCapture* capture, const std::vector<TitleCell>* cells = nullptr) {
        files.fileCount = 1;
        files.filePath[0] = dir.file("VTS_01_1.VOB");
        files.fileSize[0] = static_cast<double>(vob.sectors().size() * 2048);
        vob.writeTo(files.filePath[0]);
        table = std::make_unique<GopTable>();
        for (const int s : vobuStarts) table->append(0, static_cast<std::uint32_t>(s), 0);
        table->close(files);
        ASSERT_EQ(buildPresentationMap({*table, files, cells, capture}, buffer, map).result,
                  MapResult::Ok);
    }
};

std::vector<TitleTime> timesOf(const TitleAudio& audio) {
    std::vector<TitleTime> out;
    for (const AudioChunk& c : audio.chunks) out.push_back(c.timed ? c.time : -1);
    return out;
}

// Packets every 5760 ticks in two streams; the windows [20000, 30000) and [60000, 61000)
// keep the packet that starts the sound before each, those inside and the one after.
TEST_F(AudioCaptureTest, KeepsEachStreamsPacketsAroundTheWindowsOnly) {
    vobu();
    for (std::uint8_t k = 0; k < 14; ++k) {
        Sector first = audioPack(0x80, k * 5760, k);
        if (k == 5) first[17] = 0xBE;  // silenced earlier: its sound is still wanted
        vob.pack(first).pack(audioPack(0x89, k * 5760 + 1000, k));
        if (k == 4 || k == 8) vob.pack(audioPack(0x80, -1, 100 + k));  // goes with k
    }
    AudioCapture capture({{60000, 61000}, {20000, 30000}, {21000, 22000}});
    build(&capture);

    const TitleAudio first = capture.stream(-1);
    EXPECT_EQ(first.stream, 0);
    EXPECT_EQ(first.coding, AudioCoding::Ac3);
    EXPECT_EQ(timesOf(first),
              (std::vector<TitleTime>{17280, 23040, -1, 28800, 34560, 57600, 63360}));
    EXPECT_EQ(first.chunks[2].bytes[0], 104);
    EXPECT_EQ(first.chunks[3].bytes[0], 5);
    EXPECT_EQ(first.chunks[0].firstAccessUnit, 0);
    EXPECT_EQ(first.chunks[0].bytes.size(), 2048u - 32u);

    const TitleAudio dts = capture.stream(1);
    EXPECT_EQ(dts.coding, AudioCoding::Dts);
    EXPECT_EQ(timesOf(dts), (std::vector<TitleTime>{18280, 24040, 29800, 35560, 58600, 64360}));
    EXPECT_EQ(capture.stream(2).stream, -1);
    EXPECT_TRUE(AudioCapture(std::vector<TitleSpan>{}).stream().chunks.empty());
}

TEST_F(AudioCaptureTest, ReadsLpcmAndMpegAudioAndSkipsMalformedPackets) {
    vobu();
    Sector lpcm = audioPack(0xA2, 1000, 0);
    lpcm[29] = 0x02;
    writeBe16(lpcm.data() + 30, 4 + 10);  // past the LPCM header's last three bytes, then 10
    lpcm[33] = 0x55;                      // 20 bits, 96 kHz, 6 channels
    Sector mpeg = audioPack(0x80, 1000, 0);
    mpeg[17] = 0xC3;
    Sector longHeader = audioPack(0x80, 1000, 1);
    longHeader[22] = 250;  // beyond the packet's end
    longHeader[23 + 250] = 0x80;
    writeBe16(longHeader.data() + 18, 200);
    Sector farPointer = audioPack(0x80, 1000, 2);
    writeBe16(farPointer.data() + 30, 2017);  // the data holds 2016 bytes
    Sector longPacket = audioPack(0x80, 1000, 3);
    writeBe16(longPacket.data() + 18, 2029);
    vob.pack(lpcm).pack(mpeg).pack(longHeader).pack(farPointer).pack(longPacket);
    vob.pack(audioPack(0x80, 2000, 4));
    AudioCapture capture(std::vector<TitleSpan>{{0, 5000}});
    build(&capture);

    const TitleAudio pcm = capture.stream(2);
    EXPECT_EQ(pcm.coding, AudioCoding::Lpcm);
    EXPECT_EQ(pcm.lpcm, (LpcmFormat{20, 96000, 6}));
    ASSERT_EQ(pcm.chunks.size(), 1u);
    EXPECT_EQ(pcm.chunks[0].firstAccessUnit, 10);
    EXPECT_EQ(pcm.chunks[0].bytes.size(), 2048u - 35u);

    const TitleAudio layer = capture.stream(3);
    EXPECT_EQ(layer.coding, AudioCoding::Mpeg);
    ASSERT_EQ(layer.chunks.size(), 1u);
    EXPECT_EQ(layer.chunks[0].bytes.size(), 2048u - 28u);
    EXPECT_EQ(layer.chunks[0].bytes[0], 0x80);  // no private header to take off
    EXPECT_TRUE(map.mpegAudio);

    const TitleAudio ac3 = capture.stream(0);
    ASSERT_EQ(ac3.chunks.size(), 1u);
    EXPECT_EQ(ac3.chunks[0].bytes[0], 4);
}

// Cells in reverse order of the file: the capture follows the title and its clock, and
// the map it builds along the way is the map built without it.
TEST_F(AudioCaptureTest, FollowsTheCellsAndLeavesTheMapAsItIs) {
    vobu({.startPtm = kOrigin + 4000, .endPtm = kOrigin + 94000});
    vob.pack(audioPack(0x80, 4000, 2));
    vobu();
    vob.pack(audioPack(0x80, 0, 1));
    const std::vector<TitleCell> cells{{2, 3, 0, 90000}, {0, 1, 90000, 90000}};
    build(nullptr, &cells);
    const PresentationMap without = map;
    AudioCapture capture(std::vector<TitleSpan>{{0, 180000}});
    build(&capture, &cells);

    EXPECT_EQ(map, without);
    const TitleAudio audio = capture.stream();
    EXPECT_EQ(timesOf(audio), (std::vector<TitleTime>{0, 90000}));
    EXPECT_EQ(audio.chunks[0].bytes[0], 1);
}

}  // namespace
}  // namespace velmorin
