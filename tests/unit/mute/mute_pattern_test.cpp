#include "mute/mute_pattern.h"

#include <gtest/gtest.h>

namespace velmorin {
namespace {

// Silent ranges for patterns 0 … 7, as [lo, hi).
void expectRanges(int b, std::vector<std::pair<int, int>> expected) {
    for (int m = 0; m < 8; ++m) {
        const SilentRange r = silentRange(m, b);
        const int lo = r.lo < r.hi ? r.lo : 0,
                  hi = r.lo < r.hi ? r.hi : 0;  // any empty range is []
        EXPECT_EQ(std::make_pair(lo, hi), expected[static_cast<std::size_t>(m)])
            << "b=" << b << " pattern " << m;
    }
}

TEST(MutePattern, QuartersRoundDown) {
    expectRanges(0, {{0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}});
    expectRanges(1, {{0, 0}, {0, 0}, {0, 1}, {0, 1}, {0, 1}, {0, 0}, {0, 0}, {0, 1}});
    expectRanges(2, {{0, 0}, {0, 1}, {0, 1}, {0, 2}, {0, 2}, {0, 0}, {1, 2}, {1, 2}});
    expectRanges(10, {{0, 0}, {0, 3}, {0, 5}, {0, 8}, {0, 10}, {8, 10}, {5, 10}, {3, 10}});
    EXPECT_EQ(silentRange(9, 10).hi, 0);
}

}  // namespace
}  // namespace velmorin
