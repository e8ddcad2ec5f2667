#include "timing/span_plan.h"

#include <algorithm>

namespace velmorin {

namespace {

bool overlaps(const TitleSpan& a, const TitleSpan& b) {
    return !a.empty() && !b.empty() && a.start < b.end && b.start < a.end;
}

TitleSpan hull(const GopPresentation& gop, unsigned quarters) {
    TitleSpan out;
    for (int q = 0; q < kQuarters; ++q) {
        const TitleSpan& s = gop.audio[static_cast<std::size_t>(q)];
        if ((quarters >> q & 1u) == 0 || s.empty()) continue;
        out = out.empty() ? s : TitleSpan{std::min(out.start, s.start), std::max(out.end, s.end)};
    }
    return out;
}

// The pattern that silences every quarter of `needed` holding packets and as few packets
// as it can; of equals, the GOP's own pattern, then the one of fewest quarters.
MuteState smallestCovering(const GopPresentation& gop, unsigned needed) {
    unsigned holding = 0;
    for (int q = 0; q < kQuarters; ++q)
        if (gop.packets[static_cast<std::size_t>(q)] > 0) holding |= 1u << q;
    needed &= holding;
    MuteState best = 4;  // "----" covers everything
    int bestPackets = 0, bestQuarters = 0;
    const auto measure = [&](MuteState m, int& packets, int& quarters) {
        packets = quarters = 0;
        for (int q = 0; q < kQuarters; ++q) {
            if ((silencedQuarters(m) >> q & 1u) == 0) continue;
            packets += gop.packets[static_cast<std::size_t>(q)];
            ++quarters;
        }
    };
    measure(best, bestPackets, bestQuarters);
    for (MuteState m = 0; m < kMuteStates; ++m) {
        if ((silencedQuarters(m) & needed) != needed) continue;
        int packets = 0, quarters = 0;
        measure(m, packets, quarters);
        const bool better =
            packets < bestPackets || (packets == bestPackets && best != gop.pattern &&
                                      (m == gop.pattern || quarters < bestQuarters));
        if (better) {
            best = m;
            bestPackets = packets;
            bestQuarters = quarters;
        }
    }
    return best;
}

}  // namespace

SpanPlan planSpans(const PresentationMap& map, const std::vector<TitleSpan>& spans) {
    SpanPlan plan;
    for (std::size_t i = 0; i < spans.size(); ++i) {
        const TitleSpan& s = spans[i];
        if (s.empty() || s.start < map.title.start || s.end > map.title.end) {
            plan.outsideSpan = static_cast<int>(i);
            return plan;
        }
    }

    // The GOPs by the start of their sound, with the latest end up to each, so that a
    // span finds the GOPs it meets by a search instead of a walk over the whole title.
    const auto& gops = map.gops;
    std::vector<int> order;
    std::vector<TitleSpan> sound(gops.size());
    for (std::size_t k = 0; k < gops.size(); ++k) {
        sound[k] = hull(gops[k], 0xF);
        if (gops[k].inTitle && !sound[k].empty()) order.push_back(static_cast<int>(k));
    }
    const auto soundOf = [&](int k) { return sound[static_cast<std::size_t>(k)]; };
    std::sort(order.begin(), order.end(),
              [&](int a, int b) { return soundOf(a).start < soundOf(b).start; });
    std::vector<TitleTime> latestEnd(order.size());
    TitleTime latest = map.title.start;
    for (std::size_t i = 0; i < order.size(); ++i)
        latestEnd[i] = latest = std::max(latest, soundOf(order[i]).end);

    std::vector<unsigned> needed(gops.size(), 0);
    for (const TitleSpan& s : spans) {
        auto i = static_cast<std::size_t>(
            std::upper_bound(latestEnd.begin(), latestEnd.end(), s.start) - latestEnd.begin());
        for (; i < order.size() && soundOf(order[i]).start < s.end; ++i) {
            const auto k = static_cast<std::size_t>(order[i]);
            for (int q = 0; q < kQuarters; ++q)
                if (overlaps(gops[k].audio[static_cast<std::size_t>(q)], s)) needed[k] |= 1u << q;
        }
    }

    for (std::size_t k = 0; k < gops.size(); ++k) {
        if (needed[k] == 0) continue;
        const GopPresentation& gop = gops[k];
        PlanEntry entry;
        entry.gop = static_cast<int>(k);
        entry.before = gop.pattern;
        entry.after = smallestCovering(gop, needed[k] | silencedQuarters(gop.pattern));
        entry.silenced = hull(gop, silencedQuarters(entry.after));
        plan.entries.push_back(entry);
    }
    return plan;
}

}  // namespace velmorin
