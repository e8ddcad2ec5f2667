// The grammar that tells the recogniser which words a cue says, in which order, and the
// way back from the words it aligned to the cue's words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "words/cue_text.h"
#include "words/speech_seams.h"

namespace velmorin {

// Whether `word` may be written into a grammar: lower-case a-z and digits, with inner
// ', . and - and a final . as the pronunciation dictionary spells some words ("o'clock",
// "a.m."); at most 64 bytes. Grammar syntax (< | ; * quotes, backslashes) never passes.
bool isGrammarToken(std::string_view word);

struct AlignmentGrammar {
    std::string text;           // JSGF; empty when no word of the cue can be in it
    std::vector<int> cueWords;  // the cue word each of its words stands for, in order
};

// One sentence of the cue's words that pass isGrammarToken and that `aligner` knows. The
// others (names, numbers) are left out: the recogniser's silences and fillers absorb them,
// where a word it cannot pronounce would stop the whole sentence from aligning. No slot
// marks where they stood: the grammar cannot name the recogniser's filler words.
AlignmentGrammar alignmentGrammar(const std::vector<CueWord>& words, const WordAligner& aligner);

// Element i is where cue word i was heard, if it was. The aligned words are matched in
// order against the grammar's ("word(2)", an alternative pronunciation, as "word"); any
// that fits none is skipped.
std::vector<std::optional<AlignedWord>> alignedCueWords(const AlignmentGrammar& grammar,
                                                        const std::vector<CueWord>& words,
                                                        const std::vector<AlignedWord>& aligned);

}  // namespace velmorin
