#include "timing/title_time_text.h"

#include <gtest/gtest.h>

#include "timing/span_list.h"

namespace velmorin {
namespace {

constexpr TitleTime kSecond = kTicksPerSecond;

TEST(TitleTimeText, ReadsClockAndSecondFormsExactly) {
    const std::pair<const char*, TitleTime> cases[] = {
        {"1.001", 90090},
        {"0.0001", 9},
        {"00:41:07.150", (41 * 60 + 7) * kSecond + 13500},
        {"1:02:03", 3723 * kSecond},
        {"02:03.5", 123 * kSecond + kSecond / 2},
        {"2467", 2467 * kSecond},
        {"0.000005", 0},  // under half a tick
        {"0.000006", 1},  // over half a tick
    };
    for (const auto& [text, ticks] : cases) EXPECT_EQ(parseTitleTime(text), ticks) << text;
}

TEST(TitleTimeText, RefusesWhatIsNotATime) {
    for (const char* text : {"", "-1", "1.", ".5", "1:60", "1:60:00", "00:1:2:3", "1e3", "1,5",
                             "12345678901", "0.1234567890", " 1", "a:00"})
        EXPECT_FALSE(parseTitleTime(text)) << text;
    EXPECT_EQ(parseClockTime("00:00:01,500", ','), 3 * kSecond / 2);
}

TEST(TitleTimeText, SpansShiftsAndFormatting) {
    EXPECT_EQ(parseTitleSpan("00:41:07.000-2467.5"),
              (TitleSpan{2467 * kSecond, 2467 * kSecond + kSecond / 2}));
    EXPECT_FALSE(parseTitleSpan("5-5"));
    EXPECT_FALSE(parseTitleSpan("6-5"));
    EXPECT_FALSE(parseTitleSpan("5"));
    EXPECT_EQ(parseTimeShift("+1.5"), 3 * kSecond / 2);
    EXPECT_EQ(parseTimeShift("-0.25"), -kSecond / 4);
    EXPECT_EQ(parseTimeShift("2"), 2 * kSecond);
    EXPECT_FALSE(parseTimeShift("+-1"));
    EXPECT_EQ(formatTitleTime(0), "00:00:00.000");
    EXPECT_EQ(formatTitleTime(90090), "00:00:01.001");
    EXPECT_EQ(formatTitleTime(45), "00:00:00.001");  // half a millisecond rounds up
    EXPECT_EQ(formatTitleTime(100 * 3600 * kSecond), "100:00:00.000");
}

TEST(SpanList, MergesAndShifts) {
    EXPECT_EQ(mergeSpans({{50, 60}, {0, 10}, {10, 20}, {15, 18}, {30, 30}, {55, 70}}),
              (std::vector<TitleSpan>{{0, 20}, {50, 70}}));
    const auto shifted = shiftSpans({{100, 200}, {10, 60}, {0, 50}}, -50);
    EXPECT_EQ(shifted.spans, (std::vector<TitleSpan>{{50, 150}, {0, 10}}));
    EXPECT_EQ(shifted.beforeStart, (std::vector<TitleSpan>{{0, 50}}));
}

}  // namespace
}  // namespace velmorin
