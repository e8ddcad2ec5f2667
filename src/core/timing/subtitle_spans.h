// The spans to silence for a subtitle file and a word list.
#pragma once

#include <vector>

#include "timing/subtitle_file.h"
#include "timing/title_span.h"
#include "timing/word_list.h"

namespace velmorin {

// The spans of the cues whose text holds a word of `words`, sorted and merged.
std::vector<TitleSpan> spansFromSubtitles(const std::vector<SubtitleCue>& cues,
                                          const WordMatcher& words);

}  // namespace velmorin
