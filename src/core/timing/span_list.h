// Lists of title spans: the requests of EDL lists, subtitle files and typed spans.
#pragma once

#include <vector>

#include "timing/title_span.h"

namespace velmorin {

// Sorted by start, spans that overlap or touch joined into one, empty spans left out.
std::vector<TitleSpan> mergeSpans(std::vector<TitleSpan> spans);

struct ShiftedSpans {
    std::vector<TitleSpan> spans;        // moved by the shift, in the given order; a span
                                         // that starts before 0 starts at 0
    std::vector<TitleSpan> beforeStart;  // the given spans (as given) that the shift moved
                                         // wholly before the title's start: left out above
};

// Every span moved by `shift` ticks (negative: earlier).
ShiftedSpans shiftSpans(const std::vector<TitleSpan>& spans, TitleTime shift);

}  // namespace velmorin
