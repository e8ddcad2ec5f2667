#include "timing/audio_capture.h"

#include "common/byte_order.h"
#include "map_fixture.h"

namespace velmorin {
namespace {

using test::Sector;

constexpr std::int64_t kOrigin = 90000;  // the VOBU's start: title time 0

// An audio packet at title time `t` (none when negative) whose one frame starts at its
// first data byte, which is `tag`.
Sector audioPack(std::uint8_t subStream, std::int64_t t, std::uint8_t tag) {
    Sector p = test::makeAudioPack(subStream, t < 0 ? -1 : t + kOrigin);
    const std::size_t sub = 23 + std::size_t{p[22]};
    p[sub + 1] = 1;
    writeBe16(p.data() + sub + 2, 1);
    p[sub + 4] = tag;
    return p;
}

struct AudioCaptureTest : test::PresentationMapTest {
    void SetUp() override { vobu({.startPtm = kOrigin, .endPtm = kOrigin + 90000}); }
};

std::vector<TitleTime> timesOf(const TitleAudio& audio) {
    std::vector<TitleTime> out;
    for (const AudioChunk& c : audio.chunks) out.push_back(c.timed ? c.time : -1);
    return out;
}

// Packets every 5760 ticks in two streams; the windows [20000, 30000) and [60000, 61000)
// keep the packet that starts the sound before each, those inside and the one after, and
// the map is the one built without a capture.
TEST_F(AudioCaptureTest, KeepsEachStreamsPacketsAroundTheWindowsOnly) {
    for (std::uint8_t k = 0; k < 14; ++k) {
        Sector first = audioPack(0x80, k * 5760, k);
        if (k == 5) first[17] = 0xBE;  // silenced earlier: its sound is still wanted
        vob.pack(first).pack(audioPack(0x89, k * 5760 + 1000, k));
        if (k == 4 || k == 8) vob.pack(audioPack(0x80, -1, 100 + k));  // goes with k
    }
    ASSERT_EQ(build().result, MapResult::Ok);
    const PresentationMap without = map;
    AudioCapture capture({{60000, 61000}, {20000, 30000}, {21000, 22000}},
                         AudioCapture::kEveryStream);
    ASSERT_EQ(build(nullptr, &capture).result, MapResult::Ok);
    EXPECT_EQ(map, without);

    const TitleAudio ac3 = capture.stream(-1);
    EXPECT_EQ(ac3.stream, 0);
    EXPECT_EQ(ac3.coding, AudioCoding::Ac3);
    EXPECT_EQ(timesOf(ac3), (std::vector<TitleTime>{17280, 23040, -1, 28800, 34560, 57600, 63360}));
    EXPECT_EQ(ac3.chunks[2].bytes[0], 104);
    EXPECT_EQ(ac3.chunks[3].bytes[0], 5);
    EXPECT_EQ(ac3.chunks[0].firstAccessUnit, 0);
    EXPECT_EQ(ac3.chunks[0].bytes.size(), 2048u - 32u);

    const TitleAudio dts = capture.stream(1);
    EXPECT_EQ(dts.coding, AudioCoding::Dts);
    EXPECT_EQ(timesOf(dts), (std::vector<TitleTime>{18280, 24040, 29800, 35560, 58600, 64360}));
    EXPECT_EQ(capture.stream(2).stream, -1);

    // Holding one stream: the first, or the one asked for.
    AudioCapture first(std::vector<TitleSpan>{{20000, 30000}, {60000, 61000}});
    AudioCapture second(std::vector<TitleSpan>{{20000, 30000}, {60000, 61000}}, 1);
    ASSERT_EQ(build(nullptr, &first).result, MapResult::Ok);
    ASSERT_EQ(build(nullptr, &second).result, MapResult::Ok);
    EXPECT_EQ(timesOf(first.stream()), timesOf(ac3));
    EXPECT_EQ(first.stream(1).stream, -1);
    EXPECT_EQ(timesOf(second.takeStream()), timesOf(dts));
    EXPECT_EQ(second.stream(0).stream, -1);
    EXPECT_EQ(second.stream().stream, -1);  // handed over
}

TEST_F(AudioCaptureTest, ReadsLpcmAndMpegAudioAndSkipsMalformedPackets) {
    Sector lpcm = audioPack(0xA2, 1000, 0);
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
    AudioCapture capture(std::vector<TitleSpan>{{0, 5000}}, AudioCapture::kEveryStream);
    ASSERT_EQ(build(nullptr, &capture).result, MapResult::Ok);

    const TitleAudio pcm = capture.stream(2);
    EXPECT_EQ(pcm.coding, AudioCoding::Lpcm);
    EXPECT_EQ(pcm.lpcm, (LpcmFormat{20, 96000, 6}));
    ASSERT_EQ(pcm.chunks.size(), 1u);
    EXPECT_EQ(pcm.chunks[0].firstAccessUnit, 10);
    EXPECT_EQ(pcm.chunks[0].bytes.size(), 2048u - 35u);

    const TitleAudio layer = capture.stream(3);
    EXPECT_EQ(layer.coding, AudioCoding::Mpeg);
    ASSERT_EQ(layer.chunks.size(), 1u);
    EXPECT_EQ(layer.chunks[0].bytes.size(), 2048u - 28u);  // no private header taken off

    const TitleAudio ac3 = capture.stream(0);
    ASSERT_EQ(ac3.chunks.size(), 1u);
    EXPECT_EQ(ac3.chunks[0].bytes[0], 4);
}

// A block of two angles: the title plays one, so only the first angle's sound is kept.
TEST_F(AudioCaptureTest, TakesTheFirstAngleOfABlockOnly) {
    vob.pack(audioPack(0x80, 0, 1));
    vobu({.startPtm = kOrigin, .endPtm = kOrigin + 90000});
    vob.pack(audioPack(0x80, 0, 2));
    const std::vector<TitleCell> cells{{0, 1, 0, 90000}, {2, 3, 0, 90000}};
    AudioCapture capture(std::vector<TitleSpan>{{0, 90000}});
    ASSERT_EQ(build(&cells, &capture).result, MapResult::Ok);
    ASSERT_EQ(capture.stream().chunks.size(), 1u);
    EXPECT_EQ(capture.stream().chunks[0].bytes[0], 1);
}

}  // namespace
}  // namespace velmorin
