// The speech library's one entry point: a sound decoder (FFmpeg) and a word aligner
// (pocketsphinx) for placing a cue's words, or the reason this build or machine has none.
//
// The recogniser's model is looked for when the tools are opened and loaded on the first
// align() or knowsWord() call, then kept for the run. Its folder is the one named by the
// environment variable VELMORIN_SPEECH_MODEL, else the pocketsphinx-en-us package's
// /usr/share/pocketsphinx/model/en-us (on Windows pocketsphinx\model\en-us beside the
// program: the zip's layout). The folder holds (the package's own layout):
//   <name>/        the acoustic model: the folder that holds `mdef` (first by name)
//   <name>.dict    the pronunciation dictionary (the first `.dict` by name)
// The model is taken to be English.
#pragma once

#include "words/speech_seams.h"

namespace velmorin {

// Both seams, or neither with `unavailable` saying why (no speech library in this build,
// or no model in the folder looked in).
SpeechTools openSpeechTools();

}  // namespace velmorin
