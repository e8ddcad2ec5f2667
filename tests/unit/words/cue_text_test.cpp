#include "words/cue_text.h"

#include <gtest/gtest.h>

#include "words/alignment_grammar.h"

namespace velmorin {
namespace {

std::string joined(const SpokenText& spoken) {
    std::string out;
    for (const CueWord& w : spoken.words) out += (out.empty() ? "" : " ") + w.text;
    return spoken.otherScript ? out + " (other script)" : out;
}

TEST(CueText, SpokenWordsOnly) {
    const std::pair<const char*, const char*> cases[] = {
        {"<i>Damn</i> it!", "damn it"},
        {"{\\an8}- JOHN: Don’t go.\n– MAN 2: Why?", "don't go why"},
        {"— DR. O'NEIL: OK\nWait: no", "ok wait no"},  // a label is in capitals
        {"[laughs] Son-of-a-bitch (sighs\nloudly) 'Cause dogs' bones",
         "son of a bitch cause dogs bones"},
        {"♪ la la, damn ♪ Oh hell\n♫ no end", "oh hell"},
        {"# singing #\nWe're #1 at 10:30", "we're 1 at 10 30"},
        {"(unclosed damn", "unclosed damn"},
        {"「Damn」 ÉTÉ", "damn été"},
        {"バカ damn", "damn (other script)"},
        {"ﾊﾞｶ", " (other script)"},
        {"Чёрт", "чёрт (other script)"},
    };
    for (const auto& [text, words] : cases) EXPECT_EQ(joined(spokenWords(text)), words) << text;
}

TEST(CueText, EveryOccurrenceOfEveryItem) {
    const auto words = spokenWords("Damn it, DAMN! Bloody hell.").words;
    EXPECT_EQ(findOccurrences(words, {"hell", "damn", " ", "damn it", "bloody-hell"}),
              (std::vector<WordOccurrence>{{1, 0, 1}, {3, 0, 2}, {1, 2, 1}, {4, 3, 2}, {0, 4, 1}}));
}

TEST(AlignmentGrammar, DictionaryWordsOnly) {
    for (const char* token : {"damn", "don't", "a.", "a.m.", "x-ray", "b2b"})
        EXPECT_TRUE(isGrammarToken(token)) << token;
    for (const char* text :
         {"", "'em", "x-", "Damn", "<x>", "a|b", "a;", "a*", "\"a\"", "a\\b", "été"})
        EXPECT_FALSE(isGrammarToken(text)) << text;

    struct Dictionary : WordAligner {
        std::string_view language() const override { return "en"; }
        bool knowsWord(std::string_view w) const override { return w != "it"; }
        std::vector<AlignedWord> align(std::string_view, std::span<const std::int16_t>,
                                       AlignEffort) override {
            return {};
        }
    } dictionary;
    const auto words = spokenWords("Damn it, Zoë, 2 damn!").words;
    const AlignmentGrammar grammar = alignmentGrammar(words, dictionary);
    EXPECT_EQ(grammar.text, "#JSGF V1.0;\ngrammar cue;\npublic <cue> = damn 2 damn ;\n");
    EXPECT_EQ(grammar.cueWords, (std::vector<int>{0, 3, 4}));
    // Heard in order; a variant's number and a word the grammar lacks are no hindrance.
    const auto heard =
        alignedCueWords(grammar, words, {{"damn", 0, 9}, {"zoe", 9, 20}, {"damn(2)", 30, 40}});
    ASSERT_EQ(heard.size(), 5u);
    EXPECT_EQ(heard[0], (AlignedWord{"damn", 0, 9}));
    EXPECT_FALSE(heard[1] || heard[2] || heard[3]);
    EXPECT_EQ(heard[4], (AlignedWord{"damn(2)", 30, 40}));
    EXPECT_TRUE(alignmentGrammar(spokenWords("it").words, dictionary).text.empty());
}

}  // namespace
}  // namespace velmorin
