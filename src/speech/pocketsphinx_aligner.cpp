#include "pocketsphinx_aligner.h"

#include <pocketsphinx.h>
#include <sphinxbase/ckd_alloc.h>
#include <sphinxbase/err.h>
#include <sphinxbase/fsg_model.h>
#include <sphinxbase/jsgf.h>

#include <utility>

namespace velmorin {
namespace {

constexpr int kSamplesPerFrame = kSpeechSampleRate / 100;  // the recogniser's 10 ms frames
constexpr const char* kSearch = "cue";

// Silences, breaths, noises and sentence marks: not words of the cue.
bool isFiller(std::string_view word) {
    return word.empty() || word.front() == '<' || word.front() == '[' || word.front() == '+';
}

// "word(2)" is the dictionary's second pronunciation of "word".
std::string_view withoutVariant(std::string_view word) {
    if (word.size() > 3 && word.back() == ')') {
        const auto open = word.rfind('(');
        if (open != std::string_view::npos && open > 0) return word.substr(0, open);
    }
    return word;
}

// Makes the grammar the search `kSearch`. ps_set_jsgf_string() would do the same but never
// frees the parsed grammar: a leak on every cue.
bool useGrammar(ps_decoder_t* ps, const std::string& text) {
    jsgf_t* grammar = jsgf_parse_string(text.c_str(), nullptr);
    if (!grammar) return false;
    jsgf_rule_t* rule = jsgf_get_public_rule(grammar);
    fsg_model_t* fsg = rule ? jsgf_build_fsg(grammar, rule, ps_get_logmath(ps),
                                             cmd_ln_float32_r(ps_get_config(ps), "-lw"))
                            : nullptr;
    const bool set = fsg && ps_set_fsg(ps, kSearch, fsg) >= 0;
    if (fsg) fsg_model_free(fsg);  // the search keeps its own reference
    jsgf_grammar_free(grammar);
    return set;
}

}  // namespace

PocketsphinxAligner::PocketsphinxAligner(std::string acousticModel, std::string dictionary)
    : acousticModel_(std::move(acousticModel)), dictionary_(std::move(dictionary)) {}

PocketsphinxAligner::~PocketsphinxAligner() {
    if (decoder_) ps_free(decoder_);
}

ps_decoder_t* PocketsphinxAligner::decoder() const {
    if (decoder_ || loadFailed_) return decoder_;
    // The library reports every step of its work on stderr, which is the program's. (Not
    // with -logfn: the null device has another name on Windows, and a log file the
    // library cannot open stops the model from loading.)
    err_set_logfp(nullptr);
    cmd_ln_t* config = cmd_ln_init(nullptr, ps_args(), TRUE, "-hmm", acousticModel_.c_str(),
                                   "-dict", dictionary_.c_str(),
                                   // Digital silence has no spectrum to take a logarithm
                                   // of: a little noise keeps the features finite, and a
                                   // fixed seed the same result run after run.
                                   "-dither", "yes", "-seed", "1",
                                   // Its voice detector drops silent frames before the
                                   // search, and every word after a pause would be
                                   // placed early by the pause's length.
                                   "-remove_silence", "no",
                                   // A grammar of one sentence leaves few paths: the usual
                                   // beams pruned the right one for most cues of music-bed
                                   // speech, and with them open a pass costs no more than
                                   // the retry it saves. Two Gaussians a mixture instead of
                                   // four: a sixth less time, the words where they were.
                                   "-beam", "1e-300", "-wbeam", "1e-300", "-pbeam", "1e-300",
                                   "-lpbeam", "1e-300", "-lponlybeam", "1e-300", "-fwdflatbeam",
                                   "1e-300", "-fwdflatwbeam", "1e-300", "-topn", "2", nullptr);
    if (config) {
        decoder_ = ps_init(config);
        cmd_ln_free_r(config);  // the decoder keeps its own reference
    }
    loadFailed_ = decoder_ == nullptr;
    if (decoder_) normalMaxHmms_ = cmd_ln_int32_r(ps_get_config(decoder_), "-maxhmmpf");
    return decoder_;
}

// The retry also lifts the cap on the HMMs active in a frame. A search reads it from the
// settings when it is made, and a grammar makes a new search each time: changing the
// settings between grammars costs nothing, where a second decoder would load the model
// twice.
void PocketsphinxAligner::useBeams(AlignEffort effort) {
    if (effort == beams_) return;
    const bool wide = effort == AlignEffort::WideBeams;
    cmd_ln_set_int_r(ps_get_config(decoder_), "-maxhmmpf", wide ? -1 : normalMaxHmms_);
    beams_ = effort;
}

bool PocketsphinxAligner::knowsWord(std::string_view word) const {
    ps_decoder_t* ps = decoder();
    if (!ps || word.empty()) return false;
    const std::string key(word);
    char* phones = ps_lookup_word(ps, key.c_str());
    const bool known = phones != nullptr;
    ckd_free(phones);
    return known;
}

bool PocketsphinxAligner::addWord(std::string_view word, std::string_view phones) {
    ps_decoder_t* ps = decoder();
    if (!ps || word.empty() || phones.empty()) return false;
    const std::string key(word);
    const std::string said(phones);
    // Not the current search's vocabulary: the next grammar is made after it.
    return ps_add_word(ps, key.c_str(), said.c_str(), FALSE) >= 0;
}

std::vector<AlignedWord> PocketsphinxAligner::align(std::string_view grammar,
                                                    std::span<const std::int16_t> samples,
                                                    AlignEffort effort) {
    std::vector<AlignedWord> words;
    ps_decoder_t* ps = decoder();
    if (!ps || samples.empty() || grammar.empty()) return words;
    useBeams(effort);
    const std::string text(grammar);
    if (!useGrammar(ps, text) || ps_set_search(ps, kSearch) < 0) return words;
    if (ps_start_utt(ps) < 0) return words;
    // One whole utterance: the cepstral mean is taken over all of it before searching.
    const int processed = ps_process_raw(ps, samples.data(), samples.size(), FALSE, TRUE);
    if (ps_end_utt(ps) < 0 || processed < 0) return words;
    for (ps_seg_t* seg = ps_seg_iter(ps); seg; seg = ps_seg_next(seg)) {
        const char* name = ps_seg_word(seg);
        if (!name || isFiller(name)) continue;
        int first = 0;
        int last = 0;
        ps_seg_frames(seg, &first, &last);
        words.push_back({std::string(withoutVariant(name)), std::int64_t{first} * kSamplesPerFrame,
                         (std::int64_t{last} + 1) * kSamplesPerFrame});
    }
    return words;
}

}  // namespace velmorin
