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
constexpr TitleTime kAc3Frame = 2880;              // 1536 samples at 48 kHz
constexpr std::size_t kAc3FrameBytes = 1536;       // 384 kbit/s
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

struct SoundDecoderTest : ::testing::Test {
    test::TempDir dir;
    FfmpegSoundDecoder decoder;
    std::vector<std::int16_t> samples;
    std::string problem;

    std::vector<std::uint8_t> make(const char* source, const std::string& codec,
                                   const std::string& format) {
        const std::string out = dir.file("sound." + format);
        run("ffmpeg -v error -y -f lavfi -i \"" + std::string(source) + "\" -c:a " + codec +
            " -b:a 384k -f " + format + " " + out);
        return test::readBytes(out);
    }
    TitleAudio ac3(const char* source) {
        const auto stream = make(source, "ac3", "ac3");
        EXPECT_EQ(stream.at(kAc3FrameBytes), 0x0B);  // a fixed frame size: frames start here
        EXPECT_EQ(stream.at(kAc3FrameBytes + 1), 0x77);
        return chunked(AudioCoding::Ac3, stream, 2048, kAc3FrameBytes, kAc3Frame);
    }
    bool decode(const TitleAudio& audio, double from, double to) {
        return decoder.decode(
            audio,
            {kBase + TitleTime(from * kTicksPerSecond), kBase + TitleTime(to * kTicksPerSecond)},
            samples, problem);
    }
    // The 1 kHz tone heard from `start` seconds into the samples, and nothing before it.
    void expectToneFrom(double start, int slack) {
        ASSERT_EQ(samples.size(), std::size_t(3.5 * kSecond));
        const int expected = static_cast<int>(start * kSecond);
        EXPECT_NEAR(onset(samples), expected, slack);
        EXPECT_LT(rms(samples, 0, expected - slack), 100);
        EXPECT_NEAR(crossingsPerSecond(samples, expected + kSecond / 4, expected + kSecond), 2000,
                    20);
    }
};

TEST_F(SoundDecoderTest, PlacesTheCentreChannelOfSurroundAtItsTitleTime) {
    // 1.5 … 5.0 s: the tone starts 0.5 s in; the AC-3 encoder delays its sound by 256
    // samples (5.3 ms).
    ASSERT_TRUE(decode(ac3(kSurround), 1.5, 5.0)) << problem;
    expectToneFrom(0.5 + 256.0 / 48000, 80);
    EXPECT_LT(rms(samples, int(3.1 * kSecond), int(3.5 * kSecond)), 100);  // after the tone
}

TEST_F(SoundDecoderTest, MixesStereoAndLpcmAlike) {
    ASSERT_TRUE(decode(ac3(kStereo), 1.5, 5.0)) << problem;
    expectToneFrom(0.5 + 256.0 / 48000, 80);
    const double loudness = rms(samples, kSecond, 2 * kSecond);

    // The same sound as 16-bit LPCM in packets of 2000 bytes, frames of 1/600 s.
    TitleAudio lpcm =
        chunked(AudioCoding::Lpcm, make(kStereo, "pcm_s16be", "s16be"), 2000, 320, 150);
    ASSERT_TRUE(decode(lpcm, 1.5, 5.0)) << problem;
    expectToneFrom(0.5, 16);
    EXPECT_NEAR(rms(samples, kSecond, 2 * kSecond), loudness, loudness * 0.1);
}

TEST_F(SoundDecoderTest, FillsAGapWithSilenceAndPlacesWhatFollowsByItsTime) {
    TitleAudio audio = ac3(kSurround);
    // Packets 3.0 … 3.5 s into the sound are missing.
    std::erase_if(audio.chunks, [](const AudioChunk& c) {
        return c.timed && c.time >= kBase + 3 * kTicksPerSecond &&
               c.time < kBase + 3 * kTicksPerSecond + kTicksPerSecond / 2;
    });
    ASSERT_TRUE(decode(audio, 1.5, 5.0)) << problem;
    EXPECT_LT(rms(samples, int(1.6 * kSecond), int(1.95 * kSecond)), 100);
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
        SCOPED_TRACE(static_cast<int>(coding));
        const TitleAudio audio = chunked(coding, garbage, 2048, 1000, 1800);
        const bool ok = decode(audio, 1.0, 4.5);
        EXPECT_EQ(samples.size(), std::size_t(3.5 * kSecond));
        if (ok) {
            EXPECT_TRUE(problem.empty());
        } else {
            EXPECT_FALSE(problem.empty());
        }
        // AC-3 frames carry checksums: garbage never passes for sound.
        if (coding == AudioCoding::Ac3 && ok) {
            EXPECT_EQ(rms(samples, 0, int(samples.size())), 0);
        }
    }
    TitleAudio untimed = chunked(AudioCoding::Ac3, garbage, 2048, 1000, 1800);
    for (auto& c : untimed.chunks) c.timed = false;
    EXPECT_FALSE(decode(untimed, 1.0, 2.0));
    EXPECT_FALSE(problem.empty());
    untimed.lpcm.bitsPerSample = 18;
    untimed.coding = AudioCoding::Lpcm;
    EXPECT_FALSE(decode(untimed, 1.0, 2.0));
}

}  // namespace
}  // namespace velmorin
