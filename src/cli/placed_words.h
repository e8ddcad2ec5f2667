// mute --srt --words: the title's map, read while keeping the sound of the matching cues,
// and the listed words placed in that sound (or their whole cues, with the reason).
#pragma once

#include <vector>

#include "exit_status.h"
#include "requested_spans.h"
#include "timing/presentation_map.h"
#include "title_session.h"
#include "words/word_placement.h"

namespace velmorin::cli {

// Fills `map` and `placed`; each cue that falls back is told on standard error.
Failure placeListedWords(TitleSession& session, const TitleArguments& title, int titleNumber,
                         const SpanRequest& request, const RequestedSpans& requested,
                         PresentationMap& map, std::vector<PlacedSpan>& placed);

// The spans to plan: every placed span, sorted and merged; a word's no further than the
// title's end.
std::vector<TitleSpan> spansToSilence(const std::vector<PlacedSpan>& placed, TitleSpan title);

}  // namespace velmorin::cli
