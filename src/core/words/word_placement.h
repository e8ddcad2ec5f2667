// Placing the listed words of subtitle cues in the cues' sound, so that only the words are
// silenced, and falling back to the whole cue, with the reason, where that cannot be done.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "timing/subtitle_file.h"
#include "timing/title_audio.h"
#include "timing/title_span.h"
#include "timing/word_list.h"
#include "words/speech_seams.h"

namespace velmorin {

enum class SpanPlacement { Word, Cue };

// Why a span silences its whole cue.
enum class FallbackReason {
    None,            // placed by word
    WholeCuesAsked,  // the user asked for whole cues
    NoAligner,       // this build or installation cannot place words (detail: why)
    Language,        // the cue is not in the recogniser's language
    NoSound,         // the cue's sound could not be decoded (detail: why)
    NothingAligned,  // nothing aligned, even with wide beams
    UnknownWord,     // a listed word is not in the pronunciation dictionary (detail: the word)
    NotFound,        // the listed text is not among the words spoken (a sound description)
    Implausible,     // a word came out under 40 ms or over 2 s long, or outside the cue's
                     // sound (detail: the word and its length or place)
};

struct PlacedSpan {
    TitleSpan span;    // the title time to silence
    int cue = 0;       // 1-based number of the cue in file order
    std::string text;  // the listed word or phrase, as the word list writes it
    SpanPlacement placed = SpanPlacement::Cue;
    FallbackReason why = FallbackReason::None;
    std::string detail;
    bool operator==(const PlacedSpan&) const = default;
};

struct PlacementOptions {
    TitleTime shift = 0;                       // moves cue times onto title time
    TitleTime margin = kTicksPerSecond / 10;   // silenced before and after a word
    TitleTime widening = kTicksPerSecond / 2;  // sound taken before and after a cue
    bool wholeCues = false;                    // place nothing: silence whole cues
};

// The stretches of title time whose sound placement will ask for: each matching cue,
// shifted and widened, sorted and merged. Empty with whole cues; cues in letters of
// another script than Latin, which never need their sound, are left out.
std::vector<TitleSpan> soundWindows(const std::vector<SubtitleCue>& cues, const WordMatcher& words,
                                    const PlacementOptions& options);

// For each cue that `words` finds, in cue order: one span per occurrence of a listed word
// or phrase among its spoken words, from a margin before its first word to a margin after
// its last (stretched towards the cue's edge beside a word the dictionary lacks, which
// may have drawn it out of place), where every occurrence can be placed in `audio` with
// `tools`; else one span of the whole (shifted) cue per listed word or phrase it holds,
// with the reason. The cue's sound is decoded once. A span never starts before title
// time 0; a cue that the shift moves wholly before the title gives none (shiftSpans
// reports those).
// `proceed`, told before each cue how many of how many came before it, stops the
// placement when it returns false; the cues before are placed.
using CueProgress = std::function<bool(std::size_t cue, std::size_t cues)>;
std::vector<PlacedSpan> placeWords(const std::vector<SubtitleCue>& cues, const WordMatcher& words,
                                   const PlacementOptions& options, const TitleAudio& audio,
                                   SpeechTools& tools, const CueProgress& proceed = {});

// A stable ASCII name of a reason for scripts ("no-aligner", "language", ...; "placed"
// for None).
const char* fallbackCode(FallbackReason why);
// Why a cue falls back, in a few words ("音声を復号できません: ..."); empty for None.
std::string fallbackReasonText(FallbackReason why, const std::string& detail);
// The line that tells the user a cue falls back and why.
std::string fallbackMessage(const PlacedSpan& span);

}  // namespace velmorin
