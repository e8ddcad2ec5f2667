#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "ffmpeg_sound_decoder.h"
#include "pack_builder.h"
#include "speech_test_support.h"

namespace velmorin {
namespace {

using test::run;

constexpr TitleTime kBase = 10 * kTicksPerSecond;  // the title time the test sound starts at
constexpr int kSecond = kSpeechSampleRate;

// 6 s of sound: a 1 kHz tone from 2.0 to 4.5 s in the channel speech is in (the centre of
// 5.1, the left of stereo), a 440 Hz tone throughout in the others.
const char* const kSurround =
    "aevalsrc='0.3*sin(2*PI*440*t)|0.3*sin(2*PI*440*t)|"
    "if(between(t,2,4.5),0.5*sin(2*PI*1000*t),0)|0|0.3*sin(2*PI*440*t)|0.3*sin(2*PI*440*t)'"
    ":c=5.1:s=48000:d=6";
const char* const kStereo = "aevalsrc='if(between(t,2,4.5),0.8*sin(2*PI*1000*t),0)|0':s=48000:d=6";

// Cuts an elementary stream into packets of `size` bytes, each timed by the first frame
// that starts in it, as a DVD's audio packets are.
TitleAudio chunked(AudioCoding coding, const std::vector<std::uint8_t>& stream, std::size_t size,
                   std::size_t frameBytes, TitleTime frameTicks) {
    TitleAudio audio;
    audio.stream = 0;
    audio.coding = coding;
    for (std::size_t at = 0; at < stream.size(); at += size) {
        AudioChunk chunk;
        const std::size_t end = std::min(stream.size(), at + size);
        chunk.bytes.assign(stream.begin() + at, stream.begin() + end);
        const std::size_t frame = (at + frameBytes - 1) / frameBytes;
        if (frame * frameBytes < end) {
            chunk.timed = true;
            chunk.firstAccessUnit = static_cast<int>(frame * frameBytes - at);
            chunk.time = kBase + static_cast<TitleTime>(frame) * frameTicks;
        }
        audio.chunks.push_back(std::move(chunk));
    }
    return audio;
}

// Sign changes per second over samples [from, to).
double crossingsPerSecond(const std::vector<std::int16_t>& s, int from, int to) {
    int count = 0;
    for (int i = from + 1; i < to; ++i) count += (s[i - 1] < 0) != (s[i] < 0);
    return count * double(kSecond) / (to - from);
}

double rms(const std::vector<std::int16_t>& s, int from, int to) {
    double sum = 0;
    for (int i = from; i < to; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / (to - from));
}

// The first sample louder than a tenth of full scale.
int onset(const std::vector<std::int16_t>& s) {
    for (std::size_t i = 0; i < s.size(); ++i)
        if (std::abs(s[i]) > 3277) return static_cast<int>(i);
    return -1;
}

// How ffmpeg makes each coding here: constant frame sizes, so a frame's time follows from
// its position; and how late its encoder and decoder put the sound, in 48 kHz samples.
struct Coding {
    AudioCoding coding;
    std::string codec;
    std::string format;
    std::size_t frameBytes;
    TitleTime frameTicks;
    int delay;
};
const Coding kAc3{AudioCoding::Ac3, "ac3 -b:a 384k", "ac3", 1536, 2880, 256};
const Coding kDts{AudioCoding::Dts, "dca -strict -2 -b:a 768k", "dts", 1024, 960, 512};
const Coding kMp2{AudioCoding::Mpeg, "mp2 -b:a 384k", "mp2", 1152, 2160, 481};
// 16-bit LPCM in packets of 2000 bytes, frames of 1/600 s.
const Coding kLpcm{AudioCoding::Lpcm, "pcm_s16be", "s16be", 320, 150, 0};

struct SoundDecoderTest : ::testing::Test {
    test::TempDir dir;
    FfmpegSoundDecoder decoder;
    std::vector<std::int16_t> samples;
    std::string problem;

    TitleAudio make(const Coding& coding, const char* source) {
        const std::string out = dir.file("sound." + coding.format);
        run("ffmpeg -v error -y -f lavfi -i \"" + std::string(source) + "\" -c:a " + coding.codec +
            " -f " + coding.format + " " + out);
        return chunked(coding.coding, test::readBytes(out),
                       coding.coding == AudioCoding::Lpcm ? 2000 : 2048, coding.frameBytes,
                       coding.frameTicks);
    }
    bool decode(const TitleAudio& audio, double from, double to) {
        return decoder.decode(
            audio,
            {kBase + TitleTime(from * kTicksPerSecond), kBase + TitleTime(to * kTicksPerSecond)},
            samples, problem);
    }
    // Decodes 1.5 … 5.0 s: the 1 kHz tone is heard from 0.5 s on (within 5 ms) and nothing
    // before it.
    void expectTone(const Coding& coding, const char* source) {
        SCOPED_TRACE(coding.format);
        ASSERT_TRUE(decode(make(coding, source), 1.5, 5.0)) << problem;
        ASSERT_EQ(samples.size(), std::size_t(3.5 * kSecond));
        const int expected = kSecond / 2 + coding.delay / 3;
        const int slack = 80;
        EXPECT_NEAR(onset(samples), expected, slack);
        EXPECT_LT(rms(samples, 0, expected - slack), 100);
        EXPECT_NEAR(crossingsPerSecond(samples, expected + kSecond / 4, expected + kSecond), 2000,
                    20);
    }
};

TEST_F(SoundDecoderTest, PlacesTheCentreChannelOfSurroundAtItsTitleTime) {
    for (const Coding& coding : {kAc3, kDts}) {
        expectTone(coding, kSurround);
        EXPECT_LT(rms(samples, int(3.1 * kSecond), int(3.5 * kSecond)), 100);  // after the tone
    }
}

TEST_F(SoundDecoderTest, MixesStereoAlikeWhateverItsCoding) {
    expectTone(kLpcm, kStereo);
    const double loudness = rms(samples, kSecond, 2 * kSecond);
    for (const Coding& coding : {kAc3, kMp2}) {
        expectTone(coding, kStereo);
        EXPECT_NEAR(rms(samples, kSecond, 2 * kSecond), loudness, loudness * 0.1);
    }
}

TEST_F(SoundDecoderTest, FillsWhatWasNotCapturedWithSilence) {
    TitleAudio audio = make(kAc3, kSurround);
    // Packets 3.0 … 3.5 s into the sound are missing.
    std::erase_if(audio.chunks, [](const AudioChunk& c) {
        return c.timed && c.time >= kBase + 3 * kTicksPerSecond &&
               c.time < kBase + 3 * kTicksPerSecond + kTicksPerSecond / 2;
    });
    ASSERT_TRUE(decode(audio, 1.5, 5.0)) << problem;
    EXPECT_LT(rms(samples, int(1.6 * kSecond), int(1.95 * kSecond)), 100);
    const auto gapped = samples;
    // A span before the stream's sound is silence; one reaching into it hears it in place.
    ASSERT_TRUE(decode(audio, -3.0, -1.5)) << problem;
    EXPECT_EQ(rms(samples, 0, int(samples.size())), 0);
    ASSERT_TRUE(decode(audio, -1.0, 2.5)) << problem;
    EXPECT_EQ(rms(samples, 0, kSecond - 80), 0);
    EXPECT_NEAR(onset(samples), 3 * kSecond + kAc3.delay / 3, 80);
    samples = gapped;
    const double tone = rms(samples, int(0.6 * kSecond), int(1.4 * kSecond));
    EXPECT_GT(tone, 5000);
    EXPECT_GT(rms(samples, int(2.1 * kSecond), int(2.9 * kSecond)), tone * 0.9);
    EXPECT_NEAR(crossingsPerSecond(samples, int(2.1 * kSecond), int(2.9 * kSecond)), 2000, 20);
}

TEST_F(SoundDecoderTest, SurvivesGarbage) {
    std::mt19937 random(7);
    std::vector<std::uint8_t> garbage(200 * 1024);
    for (auto& b : garbage) b = static_cast<std::uint8_t>(random());
    for (const auto coding :
         {AudioCoding::Ac3, AudioCoding::Dts, AudioCoding::Mpeg, AudioCoding::Lpcm}) {
        TitleAudio audio = chunked(coding, garbage, 2048, 1000, 1800);
        const bool ok = decode(audio, 1.0, 4.5);
        EXPECT_EQ(samples.size(), std::size_t(3.5 * kSecond));
        EXPECT_EQ(ok, problem.empty());
        // AC-3 frames carry checksums: garbage never passes for sound.
        EXPECT_TRUE(coding != AudioCoding::Ac3 || !ok || rms(samples, 0, 3 * kSecond) == 0);
        for (auto& c : audio.chunks) c.timed = false;
        EXPECT_FALSE(decode(audio, 1.0, 2.0)) << "nothing tells where the sound goes";
    }
}

}  // namespace
}  // namespace velmorin
