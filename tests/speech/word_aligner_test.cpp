#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "pack_builder.h"
#include "speech_test_support.h"
#include "speech_tools.h"

namespace velmorin {
namespace {

using test::run;

// Seconds of sound in a file, as sox reads it.
double duration(const std::string& path) {
    std::FILE* pipe = popen(("sox --i -D " + path).c_str(), "r");
    double seconds = 0;
    if (!pipe || std::fscanf(pipe, "%lf", &seconds) != 1) seconds = 0;
    if (pipe) pclose(pipe);
    return seconds;
}

// Three words spoken apart: each spoken alone, its own silence trimmed, then joined with
// known silences, so where each word starts and ends is known to the sample.
struct WordAlignerTest : ::testing::Test {
    static inline const std::vector<std::string> kWords = {"morning", "seven", "yellow"};
    static inline const double kGaps[] = {0.5, 0.7, 0.6, 0.5};  // before, between, after

    test::TempDir dir;
    SpeechTools tools = openSpeechTools();
    std::vector<std::int16_t> samples;
    std::vector<AlignedWord> truth;

    void SetUp() override {
        if (!tools.available()) GTEST_SKIP() << tools.unavailable;
        std::string pieces;
        double at = 0;
        for (std::size_t i = 0; i <= kWords.size(); ++i) {
            const std::string gap = dir.file("gap" + std::to_string(i) + ".wav");
            run("sox -n -r 22050 -b 16 -c 1 " + gap + " trim 0 " + std::to_string(kGaps[i]));
            pieces += " " + gap;
            at += duration(gap);
            if (i == kWords.size()) break;
            const std::string spoken = dir.file(kWords[i] + "_raw.wav");
            const std::string word = dir.file(kWords[i] + ".wav");
            // The recogniser knows American English.
            run("espeak-ng -v en-us+m3 -w " + spoken + " " + kWords[i]);
            run("sox " + spoken + " " + word +
                " silence 1 0.01 1% reverse silence 1 0.01 1% reverse");
            const double length = duration(word);
            ASSERT_GT(length, 0.2);
            truth.push_back({kWords[i], std::int64_t(at * kSpeechSampleRate),
                             std::int64_t((at + length) * kSpeechSampleRate)});
            pieces += " " + word;
            at += length;
        }
        const std::string joined = dir.file("cue.raw");
        run("sox" + pieces + " -r 16000 -b 16 -c 1 -e signed -L -t raw " + joined);
        samples = test::readSamples(joined);
        ASSERT_NEAR(double(samples.size()), at * kSpeechSampleRate, 160);
    }

    void expectAligned(AlignEffort effort) {
        const auto words = tools.aligner->align(
            "#JSGF V1.0;\ngrammar cue;\npublic <cue> = morning seven yellow;\n", samples, effort);
        ASSERT_EQ(words.size(), truth.size());
        for (std::size_t i = 0; i < words.size(); ++i) {
            SCOPED_TRACE(truth[i].word);
            EXPECT_EQ(words[i].word, truth[i].word);
            EXPECT_NEAR(words[i].first, truth[i].first, 80 * 16);  // 80 ms
            EXPECT_NEAR(words[i].end, truth[i].end, 80 * 16);
        }
    }
};

TEST_F(WordAlignerTest, PlacesEachWordOfTheGrammarWhereItIsSpoken) {
    EXPECT_EQ(tools.aligner->language(), "en");
    expectAligned(AlignEffort::Normal);
    expectAligned(AlignEffort::WideBeams);
    expectAligned(AlignEffort::Normal);  // the usual beams come back after a wide retry
}

TEST_F(WordAlignerTest, KnowsOnlyTheDictionarysWords) {
    EXPECT_TRUE(tools.aligner->knowsWord("banana"));
    EXPECT_FALSE(tools.aligner->knowsWord("zqxvbnarf"));
    EXPECT_FALSE(tools.aligner->knowsWord(""));
    // Nothing to hear in silence: no words rather than invented ones.
    const std::vector<std::int16_t> silence(kSpeechSampleRate, 0);
    EXPECT_TRUE(tools.aligner
                    ->align("#JSGF V1.0;\ngrammar cue;\npublic <cue> = banana;\n", silence,
                            AlignEffort::Normal)
                    .empty());
}

TEST(SpeechTools, SayWhereTheModelWasLookedFor) {
    const char* before = std::getenv("VELMORIN_SPEECH_MODEL");
    const std::string saved = before ? before : "";
    test::TempDir empty;
    setenv("VELMORIN_SPEECH_MODEL", empty.path().c_str(), 1);
    const SpeechTools tools = openSpeechTools();
    if (before) {
        setenv("VELMORIN_SPEECH_MODEL", saved.c_str(), 1);
    } else {
        unsetenv("VELMORIN_SPEECH_MODEL");
    }
    EXPECT_FALSE(tools.available());
    EXPECT_FALSE(tools.decoder || tools.aligner);
    EXPECT_NE(tools.unavailable.find(empty.path()), std::string::npos) << tools.unavailable;
}

}  // namespace
}  // namespace velmorin
