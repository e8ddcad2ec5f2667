#include "timing/subtitle_spans.h"

#include "timing/span_list.h"

namespace velmorin {

std::vector<TitleSpan> spansFromSubtitles(const std::vector<SubtitleCue>& cues,
                                          const WordMatcher& words) {
    std::vector<TitleSpan> spans;
    for (const SubtitleCue& cue : cues)
        if (words.find(cue.text) >= 0) spans.push_back(cue.span);
    return mergeSpans(std::move(spans));
}

}  // namespace velmorin
