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
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"damn", "Oh, DAMN it!", true},
        {"damn", "Damnation", false},                                     // not a whole word
        {"damn", "\xEF\xBC\xA4\xEF\xBD\x81mn", true},                     // full-width "Da"
        {"\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89 2024", true},            // été / ÉTÉ
        {"\xD0\xB1\xD0\xBB\xD1\x8F", "\xD0\x91\xD0\x9B\xD0\xAF!", true},  // Cyrillic
        {"of course", "Of\r\ncourse not", true},                          // across a line break
        {"of course", "ofcourse", false},
        {"don't", "I don\xE2\x80\x99t know", true},  // typographic apostrophe
        {"\xE3\x81\x8F\xE3\x81\x9D", "\xE3\x81\xAA\xE3\x82\x93\xE3\x81\x8F\xE3\x81\x9D",
         true},                                                            // くそ in なんくそ
        {"\xE3\x81\x8F\xE3\x81\x9D", "\xE3\x81\x8F\n\xE3\x81\x9D", true},  // split over lines
        {"cat",
         "\xE7\x8C\xAB"
         "cat\xE3\x81\xA0",
         true},  // Latin among kana
        {"\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2",
         "\xE0\xB8\x84\xE0\xB8\x99\xE0\xB8\x9A\xE0\xB9\x89\xE0\xB8\xB2", true},  // Thai, no spaces
    };
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
