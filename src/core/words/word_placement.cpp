#include "words/word_placement.h"

#include <algorithm>
#include <optional>
#include <set>

#include "common/text_format.h"
#include "timing/span_list.h"
#include "words/alignment_grammar.h"
#include "words/cue_text.h"
#include "words/letter_sounds.h"

namespace velmorin {

namespace {

// Spoken words last from a few hundredths of a second to a second or so; outside these
// the recogniser has stretched a word over silence or squeezed it into a click.
constexpr std::int64_t kShortestWord = kSpeechSampleRate * 40 / 1000;
constexpr std::int64_t kLongestWord = kSpeechSampleRate * 2;
// The longest sound decoded and aligned for one cue.
constexpr TitleTime kLongestSound = 60 * kTicksPerSecond;
// How far into a pause beside a listed word its silence may reach.
constexpr std::int64_t kPauseReach = kSpeechSampleRate / 2;

// 90 kHz ticks per 16 kHz sample: 45/8.
TitleTime ticksBefore(std::int64_t sample) {
    return sample * 45 / 8;
}
TitleTime ticksAfter(std::int64_t sample) {
    return (sample * 45 + 7) / 8;
}

// The cue on title time; nothing when the shift moves it wholly before the title.
std::optional<TitleSpan> shiftedCue(const SubtitleCue& cue, TitleTime shift) {
    const auto shifted = shiftSpans({cue.span}, shift).spans;
    if (shifted.empty()) return std::nullopt;
    return shifted.front();
}

TitleSpan widened(TitleSpan span, TitleTime widening) {
    return {std::max<TitleTime>(span.start - widening, 0), span.end + widening};
}

// A cue spoken for over a minute is a wrong file or time: its sound is neither captured
// nor decoded.
bool tooLong(TitleSpan window) {
    return window.end - window.start > kLongestSound;
}

// The recogniser's dictionary as the cues' checks see it: the words this run added from
// their spelling stay unknown, so that no cue's fallback depends on the cues before it.
class Dictionary {
public:
    explicit Dictionary(WordAligner& aligner) : aligner_(aligner) {}

    bool knows(const std::string& word) const {
        return isGrammarToken(word) && !guessed_.contains(word) && aligner_.knowsWord(word);
    }
    // Latin text the dictionary mostly does not know is in another language written in
    // Latin letters (French, Spanish, ...). Numbers say nothing about the language.
    bool mostlyUnknown(const std::vector<CueWord>& words) const {
        int counted = 0;
        int unknown = 0;
        for (const CueWord& w : words) {
            if (std::all_of(w.text.begin(), w.text.end(),
                            [](char c) { return c >= '0' && c <= '9'; }))
                continue;
            ++counted;
            if (!knows(w.text)) ++unknown;
        }
        return unknown >= 2 && unknown * 2 > counted;
    }
    // A name or made-up word gets a pronunciation from its spelling: left out of the
    // grammar, its sound would be given to the words beside it.
    void addGuesses(const std::vector<CueWord>& words) {
        for (const CueWord& w : words) {
            if (!isGrammarToken(w.text) || aligner_.knowsWord(w.text)) continue;
            const std::string phones = guessPronunciation(w.text);
            if (isPronunciation(phones) && aligner_.addWord(w.text, phones))
                guessed_.insert(w.text);
        }
    }

private:
    WordAligner& aligner_;
    std::set<std::string, std::less<>> guessed_;
};

class CuePlacer {
public:
    CuePlacer(int number, TitleSpan span, const SubtitleCue& cue, int matched,
              const WordMatcher& words)
        : number_(number),
          span_(span),
          matched_(matched),
          list_(words.list()),
          spoken_(spokenWords(cue.text)),
          found_(findOccurrences(spoken_.words, list_)) {}

    std::vector<PlacedSpan> place(const PlacementOptions& options, const TitleAudio& audio,
                                  SpeechTools& tools, Dictionary* dictionary) const {
        if (options.wholeCues) return wholeCue(FallbackReason::WholeCuesAsked, {});
        if (!tools.available() || !dictionary)
            return wholeCue(FallbackReason::NoAligner, tools.unavailable);
        WordAligner& aligner = *tools.aligner;
        if (!aligner.ready())
            return wholeCue(FallbackReason::NoAligner, "the recogniser's model did not load");
        if (spoken_.otherScript || dictionary->mostlyUnknown(spoken_.words))
            return wholeCue(FallbackReason::Language, std::string(aligner.language()));
        if (found_.empty()) return wholeCue(FallbackReason::NotFound, {});
        for (const WordOccurrence& o : found_) {
            for (int k = o.first; k < o.first + o.count; ++k) {
                const std::string& w = spoken_.words[static_cast<std::size_t>(k)].text;
                if (!dictionary->knows(w)) return wholeCue(FallbackReason::UnknownWord, w);
            }
        }

        const TitleSpan window = widened(span_, options.widening);
        if (tooLong(window))
            return wholeCue(
                FallbackReason::Implausible,
                formatText("cue of %.3f s",
                           static_cast<double>(span_.end - span_.start) / kTicksPerSecond));
        std::vector<std::int16_t> samples;
        std::string problem;
        if (!tools.decoder->decode(audio, window, samples, problem))
            return wholeCue(FallbackReason::NoSound, problem);
        dictionary->addGuesses(spoken_.words);
        const AlignmentGrammar grammar = alignmentGrammar(spoken_.words, aligner);
        auto aligned = aligner.align(grammar.text, samples, AlignEffort::Normal);
        if (aligned.empty()) aligned = aligner.align(grammar.text, samples, AlignEffort::WideBeams);
        if (aligned.empty()) return wholeCue(FallbackReason::NothingAligned, {});
        const auto heard = alignedCueWords(grammar, spoken_.words, aligned);

        std::vector<PlacedSpan> placed;
        const auto sampleCount = static_cast<std::int64_t>(samples.size());
        for (const WordOccurrence& o : found_) {
            for (int k = o.first; k < o.first + o.count; ++k) {
                const auto& h = heard[static_cast<std::size_t>(k)];
                const std::string& w = spoken_.words[static_cast<std::size_t>(k)].text;
                if (!h) return wholeCue(FallbackReason::NothingAligned, w);
                const std::int64_t length = h->end - h->first;
                if (length < kShortestWord || length > kLongestWord)
                    return wholeCue(FallbackReason::Implausible,
                                    formatText("%s %.3f s", w.c_str(),
                                               static_cast<double>(length) / kSpeechSampleRate));
                if (h->first < 0 || h->end > sampleCount)
                    return wholeCue(FallbackReason::Implausible,
                                    formatText("%s outside the cue's sound", w.c_str()));
            }
            const auto [first, end] = reach(o, grammar, heard, sampleCount);
            const auto [pauseFirst, pauseEnd] = pausesBeside(o, heard, sampleCount);
            const TitleSpan span{
                std::max<TitleTime>(std::min(window.start + ticksBefore(first) - options.margin,
                                             window.start + ticksBefore(pauseFirst)),
                                    0),
                std::max(window.start + ticksAfter(end) + options.margin,
                         window.start + ticksAfter(pauseEnd))};
            placed.push_back({span,
                              number_,
                              list_[static_cast<std::size_t>(o.item)],
                              SpanPlacement::Word,
                              FallbackReason::None,
                              {}});
        }
        return placed;
    }

private:
    // The samples where occurrence `o` may lie. The recogniser's silence absorbs a word
    // left out of the grammar, and at times the words beside it too, aligning them onto
    // its sound (with espeak-ng speech, "it" of "Damn it, Xavier" landed on "Xavier"). So
    // the run of grammar words holding `o` may really lie earlier than heard when a
    // left-out word follows it, back to the heard word before the run (or the sound's
    // start), and later when one precedes it, up to the heard word after the run.
    std::pair<std::int64_t, std::int64_t> reach(
        const WordOccurrence& o, const AlignmentGrammar& grammar,
        const std::vector<std::optional<AlignedWord>>& heard, std::int64_t sampleCount) const {
        const auto n = static_cast<int>(spoken_.words.size());
        std::vector<bool> inGrammar(spoken_.words.size());
        for (const int i : grammar.cueWords) inGrammar[static_cast<std::size_t>(i)] = true;
        const auto at = [&](int i) -> const std::optional<AlignedWord>& {
            return heard[static_cast<std::size_t>(i)];
        };
        int runFirst = o.first;
        while (runFirst > 0 && inGrammar[static_cast<std::size_t>(runFirst - 1)]) --runFirst;
        int runEnd = o.first + o.count;
        while (runEnd < n && inGrammar[static_cast<std::size_t>(runEnd)]) ++runEnd;

        std::int64_t first = at(o.first)->first;
        std::int64_t end = at(o.first + o.count - 1)->end;
        if (runEnd < n) {
            int before = runFirst - 1;
            while (before >= 0 && !at(before)) --before;
            first = std::min(first, before >= 0 ? std::max<std::int64_t>(at(before)->end, 0) : 0);
        }
        if (runFirst > 0) {
            int after = runEnd;
            while (after < n && !at(after)) ++after;
            end = std::max(end, after < n ? std::min(at(after)->first, sampleCount) : sampleCount);
        }
        return {first, end};
    }

    // The pauses the recogniser heard right before and after occurrence `o`, at most
    // kPauseReach long: where it errs, it mostly gives a word's edge, or the whole word
    // under music, to the silence beside it, so the pauses are silenced with the word.
    std::pair<std::int64_t, std::int64_t> pausesBeside(
        const WordOccurrence& o, const std::vector<std::optional<AlignedWord>>& heard,
        std::int64_t sampleCount) const {
        const auto n = static_cast<int>(spoken_.words.size());
        const AlignedWord& firstWord = *heard[static_cast<std::size_t>(o.first)];
        const AlignedWord& lastWord = *heard[static_cast<std::size_t>(o.first + o.count - 1)];
        std::int64_t before = 0;
        for (int i = o.first - 1; i >= 0; --i)
            if (const auto& h = heard[static_cast<std::size_t>(i)]) {
                before = h->end;
                break;
            }
        std::int64_t after = sampleCount;
        for (int i = o.first + o.count; i < n; ++i)
            if (const auto& h = heard[static_cast<std::size_t>(i)]) {
                after = h->first;
                break;
            }
        return {std::min(firstWord.first, std::max(before, firstWord.first - kPauseReach)),
                std::max(lastWord.end, std::min(after, lastWord.end + kPauseReach))};
    }

    // The whole cue, once for each listed word or phrase it holds (at least the one the
    // matcher found), in list order.
    std::vector<PlacedSpan> wholeCue(FallbackReason why, const std::string& detail) const {
        std::vector<int> items;
        for (const WordOccurrence& o : found_) items.push_back(o.item);
        if (items.empty()) items.push_back(matched_);
        std::sort(items.begin(), items.end());
        items.erase(std::unique(items.begin(), items.end()), items.end());
        std::vector<PlacedSpan> spans;
        for (const int item : items)
            spans.push_back({span_, number_, list_[static_cast<std::size_t>(item)],
                             SpanPlacement::Cue, why, detail});
        return spans;
    }

    int number_;
    TitleSpan span_;
    int matched_;
    const std::vector<std::string>& list_;
    SpokenText spoken_;
    std::vector<WordOccurrence> found_;
};

}  // namespace

std::vector<TitleSpan> soundWindows(const std::vector<SubtitleCue>& cues, const WordMatcher& words,
                                    const PlacementOptions& options) {
    std::vector<TitleSpan> windows;
    if (options.wholeCues) return windows;
    for (const SubtitleCue& cue : cues) {
        if (words.find(cue.text) < 0) continue;
        const auto span = shiftedCue(cue, options.shift);
        if (!span || spokenWords(cue.text).otherScript) continue;
        const TitleSpan window = widened(*span, options.widening);
        if (!tooLong(window)) windows.push_back(window);
    }
    return mergeSpans(std::move(windows));
}

std::vector<PlacedSpan> placeWords(const std::vector<SubtitleCue>& cues, const WordMatcher& words,
                                   const PlacementOptions& options, const TitleAudio& audio,
                                   SpeechTools& tools, const CueProgress& proceed) {
    std::vector<PlacedSpan> spans;
    std::optional<Dictionary> dictionary;
    if (tools.available()) dictionary.emplace(*tools.aligner);
    for (std::size_t i = 0; i < cues.size(); ++i) {
        if (proceed && !proceed(i, cues.size())) break;
        const int matched = words.find(cues[i].text);
        if (matched < 0) continue;
        const auto span = shiftedCue(cues[i], options.shift);
        if (!span) continue;
        const CuePlacer cue(static_cast<int>(i) + 1, *span, cues[i], matched, words);
        for (PlacedSpan& s : cue.place(options, audio, tools, dictionary ? &*dictionary : nullptr))
            spans.push_back(std::move(s));
    }
    return spans;
}

}  // namespace velmorin
