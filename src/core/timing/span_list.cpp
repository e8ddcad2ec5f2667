#include "timing/span_list.h"

#include <algorithm>

namespace velmorin {

std::vector<TitleSpan> mergeSpans(std::vector<TitleSpan> spans) {
    std::erase_if(spans, [](const TitleSpan& s) { return s.empty(); });
    std::sort(spans.begin(), spans.end(),
              [](const TitleSpan& a, const TitleSpan& b) { return a.start < b.start; });
    std::vector<TitleSpan> merged;
    for (const TitleSpan& s : spans) {
        if (!merged.empty() && s.start <= merged.back().end)
            merged.back().end = std::max(merged.back().end, s.end);
        else
            merged.push_back(s);
    }
    return merged;
}

ShiftedSpans shiftSpans(const std::vector<TitleSpan>& spans, TitleTime shift) {
    ShiftedSpans out;
    for (const TitleSpan& s : spans) {
        const TitleSpan moved{std::max<TitleTime>(s.start + shift, 0), s.end + shift};
        if (moved.end <= 0)
            out.beforeStart.push_back(s);
        else
            out.spans.push_back(moved);
    }
    return out;
}

}  // namespace velmorin
