// Chooses, for spans of title time to silence, the pattern of every GOP whose audio they
// meet: the smallest pattern that covers the GOP's quarters whose sound overlaps a span,
// merged with the pattern the GOP already has.
#pragma once

#include <vector>

#include "scan/mute_marker.h"
#include "timing/presentation_map.h"
#include "timing/title_span.h"

namespace velmorin {

struct PlanEntry {
    int gop = 0;  // GOP index
    MuteState before = 0;
    MuteState after = 0;
    TitleSpan silenced;  // the sound of the quarters `after` silences
    bool changes() const { return after != before; }
};

struct SpanPlan {
    std::vector<PlanEntry> entries;  // in GOP order
    int outsideSpan = -1;            // the first span that does not lie within the title
};

// Spans that do not lie within the map's title leave the plan empty and are named by
// `outsideSpan`; nothing is planned then.
SpanPlan planSpans(const PresentationMap& map, const std::vector<TitleSpan>& spans);

}  // namespace velmorin
