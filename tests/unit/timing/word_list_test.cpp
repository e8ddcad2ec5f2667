#include "timing/word_list.h"

#include <gtest/gtest.h>

#include "timing/subtitle_spans.h"

namespace velmorin {
namespace {

TEST(WordList, OnePerLineWithoutCommentsAndBlanks) {
    EXPECT_EQ(parseWordList("\xEF\xBB\xBF# mine\r\n  damn \r\n\r\nof course\n\t\n"),
              (std::vector<std::string>{"damn", "of course"}));
}

// Each case: a word of the list, a cue text, whether the cue holds it.
TEST(WordMatcher, CaseWidthWordsAndScripts) {
    // clang-format off
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"damn",      "Oh, DAMN it!",       true},
        {"damn",      "Damnation",          false},  // not a whole word
        {"damn",      "Ｄａmn",             true},   // full-width letters
        {"été",       "ÉTÉ 2024",           true},
        {"бля",       "БЛЯ!",               true},
        {"of course", "Of\r\ncourse not",   true},   // across a line break
        {"of course", "ofcourse",           false},
        {"don't",     "I don’t know",       true},   // typographic apostrophe
        {"くそ",      "なんくそ",           true},   // no word boundaries in Japanese
        {"くそ",      "く\nそ",             true},   // split over lines
        {"cat",       "猫catだ",            true},   // Latin among kana
        {"บ้า",        "คนบ้า",               true},   // Thai, no spaces
        {"バカ",      "ﾊﾞｶじゃない",        true},   // half-width, voicing mark joined
        {"ばか",      "この、バカ!",        true},   // hiragana as katakana
        {"ﾊﾟﾝ",       "ぱん",               true},
        {"ハカ",      "ﾊﾞｶ",                false},  // the mark belongs to its letter
    };
    // clang-format on
    for (const auto& [word, text, found] : cases)
        EXPECT_EQ(WordMatcher({word}).find(text) == 0, found) << word << " in " << text;
}

TEST(WordMatcher, SpansOfMatchingCuesMerged) {
    const WordMatcher words({"  ", "hell", "bloody hell"});
    EXPECT_EQ(words.find("bloody hell"), 1);
    EXPECT_TRUE(WordMatcher({" ", "\xE2\x80\x8B"}).empty());
    const std::vector<SubtitleCue> cues = {
        {{500, 900}, "Hell no", 1},
        {{0, 100}, "hello", 5},
        {{100, 300}, "HELL", 9},
        {{200, 600}, "go to hell.", 13},
    };
    EXPECT_EQ(spansFromSubtitles(cues, words), (std::vector<TitleSpan>{{100, 900}}));
}

}  // namespace
}  // namespace velmorin
