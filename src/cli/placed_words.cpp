#include "placed_words.h"

#include <algorithm>

#include "speech_tools.h"
#include "timing/audio_capture.h"
#include "timing/span_list.h"
#include "timing/word_list.h"
#include "title_map.h"

namespace velmorin::cli {

Failure placeListedWords(TitleSession& session, const TitleArguments& title, int titleNumber,
                         const SpanRequest& request, const RequestedSpans& requested,
                         PresentationMap& map, std::vector<PlacedSpan>& placed) {
    const WordMatcher words(requested.words);
    PlacementOptions options;
    options.shift = request.shift;
    options.margin = request.margin;
    options.wholeCues = request.wholeCues;
    // Only the sound around the matching cues is kept while the map is read.
    AudioCapture capture(soundWindows(requested.cues, words, options), request.audioStream);
    if (const Failure failed = readTitleMap(session, title, titleNumber, map, &capture))
        return failed;
    // The recogniser's model is loaded only when a word is to be placed.
    SpeechTools tools = options.wholeCues ? SpeechTools{} : openSpeechTools();
    placed =
        placeWords(requested.cues, words, options, capture.takeStream(request.audioStream), tools);
    for (const PlacedSpan& span : placed)
        if (span.placed == SpanPlacement::Cue && span.why != FallbackReason::WholeCuesAsked)
            session.ui().info(fallbackMessage(span));
    return kSucceeded;
}

std::vector<TitleSpan> spansToSilence(const std::vector<PlacedSpan>& placed, TitleSpan title) {
    std::vector<TitleSpan> spans;
    spans.reserve(placed.size());
    for (const PlacedSpan& p : placed) {
        TitleSpan span = p.span;
        // A word's margin may reach past the title's end, which its cue does not.
        if (p.placed == SpanPlacement::Word) span.end = std::min(span.end, title.end);
        spans.push_back(span);
    }
    return mergeSpans(std::move(spans));
}

}  // namespace velmorin::cli
