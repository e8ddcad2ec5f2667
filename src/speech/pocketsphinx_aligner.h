// Forced alignment of a cue's words with pocketsphinx: a JSGF grammar of the words, searched
// through one utterance of 16 kHz sound.
#pragma once

#include <string>

#include "words/speech_seams.h"

struct ps_decoder_s;

namespace velmorin {

class PocketsphinxAligner final : public WordAligner {
public:
    // `acousticModel`: the folder holding `mdef` and the model's other files;
    // `dictionary`: the pronunciation dictionary. Nothing is read until first needed.
    PocketsphinxAligner(std::string acousticModel, std::string dictionary);
    ~PocketsphinxAligner() override;
    PocketsphinxAligner(const PocketsphinxAligner&) = delete;
    PocketsphinxAligner& operator=(const PocketsphinxAligner&) = delete;

    std::string_view language() const override { return "en"; }
    bool ready() override { return decoder() != nullptr; }
    bool knowsWord(std::string_view word) const override;
    bool addWord(std::string_view word, std::string_view phones) override;
    std::vector<AlignedWord> align(std::string_view grammar, std::span<const std::int16_t> samples,
                                   AlignEffort effort) override;

private:
    ps_decoder_s* decoder() const;  // loaded on first need; null when the model does not load
    void useBeams(AlignEffort effort);

    std::string acousticModel_;
    std::string dictionary_;
    mutable ps_decoder_s* decoder_ = nullptr;
    mutable bool loadFailed_ = false;
    AlignEffort beams_ = AlignEffort::Normal;  // what the decoder's settings hold now
    mutable long normalMaxHmms_ = 0;           // the model's own cap, read when it loads
};

}  // namespace velmorin
