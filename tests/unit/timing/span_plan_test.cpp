#include "timing/span_plan.h"

#include <gtest/gtest.h>

namespace velmorin {
namespace {

// GOP k of the synthetic map: 4 packets, one per quarter, quarter q sounding over
// [1000k + 250q, 1000k + 250(q + 1)).
PresentationMap mapOf(std::vector<MuteState> patterns) {
    PresentationMap map;
    for (std::size_t k = 0; k < patterns.size(); ++k) {
        GopPresentation gop;
        gop.inTitle = true;
        gop.pattern = patterns[k];
        gop.packets = {1, 1, 1, 1};
        for (int q = 0; q < 4; ++q) {
            const TitleTime start = 1000 * static_cast<TitleTime>(k) + 250 * q;
            gop.audio[static_cast<std::size_t>(q)] = {start, start + 250};
        }
        map.gops.push_back(gop);
    }
    map.title = {0, 1000 * static_cast<TitleTime>(patterns.size())};
    return map;
}

std::string afterPatterns(const SpanPlan& plan) {
    std::string out;
    for (const auto& e : plan.entries)
        out += std::to_string(e.gop) + ":" + std::string(patternText(e.after)) + " ";
    return out;
}

TEST(SpanPlan, EachGopGetsTheSmallestCoveringPatternMergedWithItsOwn) {
    const PresentationMap map = mapOf({0, 0, 5, 0, 0});
    // A short span inside quarter 2 of GOP 0; one across GOP 1's end into GOP 2 (which
    // has its last quarter silenced already); one meeting both ends of GOP 4.
    const auto plan = planSpans(map, {{300, 400}, {1900, 2100}, {3999, 4001}, {4900, 5000}});
    EXPECT_EQ(afterPatterns(plan), "0:--** 1:***- 2:---- 3:***- 4:---- ");
    EXPECT_EQ(plan.entries[0].silenced, (TitleSpan{0, 500}));
    EXPECT_EQ(plan.entries[2].before, 5);
}

TEST(SpanPlan, EdgesSilencedQuartersAndEmptyQuartersAskForNothingMore) {
    PresentationMap map = mapOf({0, 4, 1});
    map.gops[2].packets = {0, 1, 0, 0};  // one packet: quarters 1 and 3 are empty
    map.gops[2].audio = {TitleSpan{}, TitleSpan{2000, 3000}, TitleSpan{}, TitleSpan{}};
    const auto plan = planSpans(map, {{250, 251}, {1100, 1200}, {2500, 2600}});
    EXPECT_EQ(afterPatterns(plan), "0:--** 1:---- 2:--** ");
    EXPECT_TRUE(plan.entries[0].changes());
    EXPECT_FALSE(plan.entries[1].changes());
}

TEST(SpanPlan, ASpanOutsideTheTitlePlansNothing) {
    const PresentationMap map = mapOf({0, 0});
    EXPECT_EQ(planSpans(map, {{100, 200}, {1500, 2001}}).outsideSpan, 1);
    EXPECT_EQ(planSpans(map, {{-1, 200}}).outsideSpan, 0);
    EXPECT_TRUE(planSpans(map, {{100, 200}, {1500, 2001}}).entries.empty());
    EXPECT_EQ(planSpans(map, {{0, 2000}}).outsideSpan, -1);
}

}  // namespace
}  // namespace velmorin
