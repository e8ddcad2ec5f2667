// What placing a word in its cue's sound needs from outside the core: the sound of a
// stretch of title time as 16 kHz mono samples, and a recogniser that aligns known words
// with them. The speech library implements both; tests use fakes; a build without it has
// neither and silences whole cues, saying why.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "timing/title_audio.h"
#include "timing/title_span.h"

namespace velmorin {

inline constexpr int kSpeechSampleRate = 16000;

class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    // The sound of `span`, 16 kHz mono: the centre channel where the layout has one, else a
    // downmix; sample 0 is `span.start`, silence where `audio` holds no sound. False, with
    // `problem` set (English, one line), when the stream cannot be decoded.
    virtual bool decode(const TitleAudio& audio, TitleSpan span, std::vector<std::int16_t>& samples,
                        std::string& problem) = 0;
};

// A word as the recogniser heard it: samples [first, end) of the sound it was given.
struct AlignedWord {
    std::string word;
    std::int64_t first = 0;
    std::int64_t end = 0;
    bool operator==(const AlignedWord&) const = default;
};

enum class AlignEffort {
    Normal,     // the first pass, within the recogniser's usual limits of work per frame
    WideBeams,  // the retry when that found nothing: nothing pruned, slower, finds more
};

class WordAligner {
public:
    virtual ~WordAligner() = default;
    // Loads the model on the first call; false when it cannot be loaded.
    virtual bool ready() = 0;
    // The language of its model, as an ISO 639-1 code ("en").
    virtual std::string_view language() const = 0;
    // Whether the pronunciation dictionary holds `word` (lower case, as the grammar has it).
    virtual bool knowsWord(std::string_view word) const = 0;
    // Adds `word` (a grammar token) to the dictionary for this run, said as `phones`
    // (recogniser phones separated by spaces); false when the recogniser refuses it.
    virtual bool addWord(std::string_view word, std::string_view phones) = 0;
    // The words of the JSGF `grammar`'s one sentence as heard in `samples` (16 kHz mono), in
    // order, silences and fillers left out; empty when nothing aligned.
    virtual std::vector<AlignedWord> align(std::string_view grammar,
                                           std::span<const std::int16_t> samples,
                                           AlignEffort effort) = 0;
};

// What a build offers for placing words: both seams, or neither with the reason.
struct SpeechTools {
    std::unique_ptr<SoundDecoder> decoder;
    std::unique_ptr<WordAligner> aligner;
    std::string unavailable;  // why there are none (English, one line); empty when there are
    bool available() const { return decoder && aligner; }
};

}  // namespace velmorin
