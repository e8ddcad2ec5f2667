#include "words/word_placement.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "words/alignment_grammar.h"
#include "words/cue_text.h"
#include "words/letter_sounds.h"

namespace velmorin {
namespace {

constexpr TitleTime kSecond = kTicksPerSecond;

// Silence as long as the span asked for, or the problem it was told to give.
struct SilentDecoder : SoundDecoder {
    std::string problem;
    std::vector<TitleSpan> asked;
    bool decode(const TitleAudio&, TitleSpan span, std::vector<std::int16_t>& samples,
                std::string& why) override {
        asked.push_back(span);
        samples.assign(static_cast<std::size_t>((span.end - span.start) * 16000 / 90000), 0);
        why = problem;
        return problem.empty();
    }
};

// Knows a few words and answers each alignment with the next of its scripted replies.
struct ScriptedAligner : WordAligner {
    std::set<std::string, std::less<>> dictionary{"damn", "it", "you", "bloody", "hell", "la"};
    std::deque<std::vector<AlignedWord>> replies;
    std::vector<std::pair<std::string, AlignEffort>> calls;
    bool loads = true;
    bool ready() override { return loads; }
    std::string_view language() const override { return "en"; }
    bool knowsWord(std::string_view w) const override { return dictionary.contains(w); }
    bool refusesNewWords = false;
    std::vector<std::pair<std::string, std::string>> added;
    bool addWord(std::string_view w, std::string_view phones) override {
        if (refusesNewWords) return false;
        added.emplace_back(w, phones);
        return dictionary.emplace(w).second;
    }
    std::vector<AlignedWord> align(std::string_view grammar, std::span<const std::int16_t>,
                                   AlignEffort effort) override {
        calls.emplace_back(grammar, effort);
        std::vector<AlignedWord> reply;
        if (!replies.empty()) std::swap(reply, replies.front()), replies.pop_front();
        return reply;
    }
};

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
    EXPECT_EQ(findOccurrences(spokenWords("Damn it, DAMN! Bloody hell.").words,
                              {"hell", "damn", " ", "damn it", "bloody-hell"}),
              (std::vector<WordOccurrence>{{1, 0, 1}, {3, 0, 2}, {1, 2, 1}, {4, 3, 2}, {0, 4, 1}}));
}

TEST(LetterSounds, NamesSaidAsTheyAreSpelt) {
    const std::pair<const char*, const char*> cases[] = {
        {"zorblat", "Z AO R B L AE T"}, {"blake", "B L AE K"},
        {"thatcher", "TH AE CH ER"},    {"quinn", "K W IH N"},
        {"cecily", "S EH S IH L IY"},   {"x'ander", "Z AE N D ER"},
        {"10", "W AH N Z IH R OW"},     {"'", ""},
    };
    for (const auto& [word, phones] : cases) {
        EXPECT_EQ(guessPronunciation(word), phones) << word;
        EXPECT_EQ(isPronunciation(phones), *phones != '\0') << word;
    }
    EXPECT_FALSE(isPronunciation("Z  AO"));
    EXPECT_FALSE(isPronunciation("<sil>"));
}

TEST(AlignmentGrammar, DictionaryWordsOnlyAndTheWayBack) {
    for (const char* token : {"damn", "don't", "a.", "a.m.", "x-ray", "b2b"})
        EXPECT_TRUE(isGrammarToken(token)) << token;
    for (const char* text : {"", "'em", "x-", "Damn", "<x>", "a|b", "a;", "a*", "\"a\"", "a\\b"})
        EXPECT_FALSE(isGrammarToken(text)) << text;
    ScriptedAligner dictionary;
    dictionary.dictionary = {"damn", "2"};
    const auto words = spokenWords("Damn it, Zoë, 2 damn!").words;
    const AlignmentGrammar grammar = alignmentGrammar(words, dictionary);
    EXPECT_EQ(grammar.text, "#JSGF V1.0;\ngrammar cue;\npublic <cue> = damn 2 damn ;\n");
    EXPECT_EQ(grammar.cueWords, (std::vector<int>{0, 3, 4}));
    // Heard in order; a variant's number and a word the grammar lacks are no hindrance.
    const std::vector<std::optional<AlignedWord>> heard = {
        AlignedWord{"damn", 0, 9}, {}, {}, {}, AlignedWord{"damn(2)", 30, 40}};
    EXPECT_EQ(
        alignedCueWords(grammar, words, {{"damn", 0, 9}, {"zoe", 9, 20}, {"damn(2)", 30, 40}}),
        heard);
    EXPECT_TRUE(alignmentGrammar(spokenWords("it").words, dictionary).text.empty());
}

// One cue from 10 s to 12 s; its sound, widened by 0.5 s, starts at 9.5 s.
struct Placement : testing::Test {
    SpeechTools tools{std::make_unique<SilentDecoder>(), std::make_unique<ScriptedAligner>(), ""};
    SilentDecoder& decoder = static_cast<SilentDecoder&>(*tools.decoder);
    ScriptedAligner& aligner = static_cast<ScriptedAligner&>(*tools.aligner);
    PlacementOptions options;

    std::vector<PlacedSpan> place(const char* text, std::vector<std::string> list,
                                  std::vector<AlignedWord> heard) {
        aligner.replies.push_back(std::move(heard));
        return placeWords({{{10 * kSecond, 12 * kSecond}, text, 3}}, WordMatcher(list), options,
                          TitleAudio{}, tools);
    }
};

// The title time of a sample of the cue's sound (5.625 ticks each), and margins.
TitleTime at(std::int64_t sample, int margins = 0) {
    return 9 * kSecond + kSecond / 2 + sample * 45 / 8 + margins * kSecond / 10;
}

std::vector<TitleSpan> byWord(const std::vector<PlacedSpan>& placed) {
    std::vector<TitleSpan> spans;
    for (const PlacedSpan& p : placed)
        if (p.placed == SpanPlacement::Word) spans.push_back(p.span);
    return spans;
}

TEST_F(Placement, EachOccurrenceFromMarginToMargin) {
    // At the cue's start and end, spoken twice, a phrase, a name said as it is spelt; a
    // pause beside a word (here the 2.7 s after the last) is silenced up to half a second.
    const std::vector<AlignedWord> heard{{"damn", 0, 640},
                                         {"bloody", 900, 2000},
                                         {"hell", 2000, 3000},
                                         {"xqzt", 3100, 3900},
                                         {"damn", 4000, 5000}};
    EXPECT_EQ(byWord(place("Damn, bloody hell, Xqzt, damn", {"bloody hell", "damn"}, heard)),
              (std::vector<TitleSpan>{
                  {at(0, -1), at(640, 1)}, {at(900, -1), at(3000, 1)}, {at(4000, -1), at(13000)}}));
    EXPECT_EQ(aligner.calls[0].first,
              "#JSGF V1.0;\ngrammar cue;\npublic <cue> = damn bloody hell xqzt damn ;\n");
    EXPECT_EQ(aligner.added,
              (std::vector<std::pair<std::string, std::string>>{{"xqzt", "Z K Z T"}}));

    // A name the recogniser will not take is left out of the grammar: the words before
    // it may lie earlier than heard, those after it later.
    aligner.refusesNewWords = true;
    aligner.dictionary.erase("xqzt");
    aligner.calls.clear();
    decoder.asked.clear();
    const auto placed = place(
        "Damn, bloody hell, Xqzt, damn", {"bloody hell", "damn"},
        {{"damn", 0, 640}, {"bloody", 900, 2000}, {"hell", 2000, 3000}, {"damn", 4000, 5000}});
    EXPECT_EQ(byWord(placed), (std::vector<TitleSpan>{{at(0, -1), at(640, 1)},
                                                      {at(0, -1), at(3000, 1)},
                                                      {at(4000, -1), at(48000, 1)}}));
    EXPECT_EQ(placed[1].text, "bloody hell");
    EXPECT_EQ(aligner.calls[0].first,
              "#JSGF V1.0;\ngrammar cue;\npublic <cue> = damn bloody hell damn ;\n");
    EXPECT_EQ(decoder.asked, std::vector<TitleSpan>(1, {at(0), 12 * kSecond + kSecond / 2}));
    // Without the name, each where it was heard.
    EXPECT_EQ(byWord(place("Damn, bloody hell", {"bloody hell"},
                           {{"damn", 0, 640}, {"bloody", 900, 2000}, {"hell", 2000, 3000}})),
              (std::vector<TitleSpan>{{at(900, -1), at(11000)}}));
}

TEST_F(Placement, WideBeamsWhenNothingAlignedShiftAndClampAtTitleStart) {
    options.shift = -10 * kSecond;  // the sound is 0 … 2.5 s
    options.margin = kSecond;
    aligner.replies.push_back({});
    EXPECT_EQ(byWord(place("Damn", {"damn"}, {{"damn", 8000, 16000}})),
              (std::vector<TitleSpan>{{0, 2 * kSecond}}));
    ASSERT_EQ(aligner.calls.size(), 2u);
    EXPECT_EQ(aligner.calls[1].second, AlignEffort::WideBeams);
    EXPECT_EQ(decoder.asked.size(), 1u);  // the sound is decoded once
    options.shift = -13 * kSecond;        // wholly before the title
    EXPECT_TRUE(place("Damn", {"damn"}, {}).empty());
}

TEST_F(Placement, WholeCueWithTheReason) {
    const std::tuple<const char*, const char*, std::vector<AlignedWord>, const char*> cases[] = {
        {"damn", "バカ damn", {}, "language"},
        {"damn", "Merde, c'est la vie, damn", {}, "language"},
        {"darn", "Darn it", {}, "unknown-word"},
        {"damn", "[damn door] you", {}, "not-found"},
        {"damn", "Damn it", {}, "nothing-aligned"},
        {"damn", "Damn it", {{"it", 0, 9000}}, "nothing-aligned"},
        {"damn", "Damn", {{"damn", 0, 639}}, "implausible"},
        {"damn", "Damn", {{"damn", 0, 32001}}, "implausible"},
        {"damn", "Damn", {{"damn", 47000, 48001}}, "implausible"},  // past the sound's end
    };
    for (const auto& [listed, text, heard, code] : cases) {
        const auto spans = place(text, {listed}, heard);
        ASSERT_EQ(spans.size(), 1u) << text;
        EXPECT_EQ(spans[0].span, (TitleSpan{10 * kSecond, 12 * kSecond})) << text;
        EXPECT_STREQ(fallbackCode(spans[0].why), code) << text;
        aligner.replies.clear();
    }
    // A word guessed for one cue stays unknown to the next cue's checks.
    aligner.replies.push_back({{"bonjour", 0, 3000}, {"damn", 4000, 6000}});
    const auto both = placeWords({{{10 * kSecond, 12 * kSecond}, "Bonjour, damn", 3},
                                  {{20 * kSecond, 22 * kSecond}, "Bonjour monsieur, damn", 9}},
                                 WordMatcher({"damn"}), options, TitleAudio{}, tools);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].placed, SpanPlacement::Word);
    EXPECT_STREQ(fallbackCode(both[1].why), "language");
    aligner.loads = false;
    EXPECT_EQ(place("Damn", {"damn"}, {})[0].detail, "the recogniser's model did not load");
    aligner.loads = true;
    const auto asked = decoder.asked.size();  // a cue of two minutes is not decoded
    EXPECT_EQ(placeWords({{{10 * kSecond, 130 * kSecond}, "Damn", 3}}, WordMatcher({"damn"}),
                         options, TitleAudio{}, tools)[0]
                  .why,
              FallbackReason::Implausible);
    EXPECT_EQ(decoder.asked.size(), asked);
    decoder.problem = "no AC-3 frame";
    EXPECT_EQ(place("Damn", {"damn"}, {})[0].detail, "no AC-3 frame");
    options.wholeCues = true;
    EXPECT_EQ(place("Damn", {"damn"}, {})[0].why, FallbackReason::WholeCuesAsked);
    options.wholeCues = false;
    const auto kept = std::move(tools.aligner);  // `aligner` stays valid
    tools.unavailable = "no speech library";
    const auto spans = place("Damn, hell", {"hell", "damn"}, {});
    ASSERT_EQ(spans.size(), 2u);  // once for each listed word it holds
    EXPECT_EQ(fallbackMessage(spans[1]),
              "字幕 1（00:00:10.000）の「damn」は語の位置が分からないため字幕全体を無音化します"
              "（音声認識を使えません: no speech library）.");
}

TEST(SoundWindows, ShiftedWidenedAndMergedWhereSoundIsNeeded) {
    const std::vector<SubtitleCue> cues = {{{kSecond, 2 * kSecond}, "damn", 1},
                                           {{2 * kSecond, 3 * kSecond}, "fine", 5},
                                           {{3 * kSecond, 4 * kSecond}, "Damn!", 9},
                                           {{5 * kSecond, 6 * kSecond}, "damnだ", 13},
                                           {{7 * kSecond, 127 * kSecond}, "damn", 17}};
    PlacementOptions options{.shift = -kSecond};
    EXPECT_EQ(soundWindows(cues, WordMatcher({"damn"}), options),
              (std::vector<TitleSpan>{{0, 3 * kSecond + kSecond / 2}}));
    options.wholeCues = true;
    EXPECT_TRUE(soundWindows(cues, WordMatcher({"damn"}), options).empty());
}

}  // namespace
}  // namespace velmorin
