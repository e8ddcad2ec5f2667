#include <gtest/gtest.h>

#include <cstdlib>

#include "pack_builder.h"
#include "speech_test_support.h"
#include "speech_tools.h"

namespace velmorin {
namespace {

using test::run;

// Three words spoken apart: each spoken alone and trimmed of its own silence, then joined
// with known silences, so where each word starts and ends is known to the sample.
struct WordAlignerTest : ::testing::Test {
    static inline const std::vector<std::string> kWords = {"morning", "seven", "yellow"};
    static constexpr int kGaps[] = {8000, 11200, 9600, 8000};  // before, between, after

    test::TempDir dir;
    SpeechTools tools = openSpeechTools();
    std::vector<std::int16_t> samples;
    std::vector<AlignedWord> truth;

    void SetUp() override {
        if (!tools.available()) GTEST_SKIP() << tools.unavailable;
        const std::string wav = dir.file("word.wav");
        const std::string raw = dir.file("word.raw");
        for (std::size_t i = 0; i < kWords.size(); ++i) {
            samples.resize(samples.size() + kGaps[i]);
            // The recogniser knows American English.
            run("espeak-ng -v en-us+m3 -w " + wav + " " + kWords[i]);
            run("sox " + wav + " -r 16000 -b 16 -c 1 -e signed -L -t raw " + raw +
                " silence 1 0.01 1% reverse silence 1 0.01 1% reverse");
            const auto word = test::readSamples(raw);
            ASSERT_GT(word.size(), 3200u);
            const auto at = static_cast<std::int64_t>(samples.size());
            truth.push_back({kWords[i], at, at + static_cast<std::int64_t>(word.size())});
            samples.insert(samples.end(), word.begin(), word.end());
        }
        samples.resize(samples.size() + kGaps[kWords.size()]);
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
    // A name said as the core spells it out, for this run.
    EXPECT_TRUE(tools.aligner->addWord("zqxvbnarf", "Z K S V B N AA R F"));
    EXPECT_TRUE(tools.aligner->knowsWord("zqxvbnarf"));
    EXPECT_FALSE(tools.aligner->addWord("zzz", "NOT A PHONE"));
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
