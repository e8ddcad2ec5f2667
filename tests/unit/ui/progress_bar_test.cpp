#include "ui/progress_bar.h"

#include <gtest/gtest.h>

namespace velmorin {
namespace {

TEST(ProgressBar, GeometryFromTheClientArea) {
    const ProgressBar bar = ProgressBar::forClientArea(250, 70);
    EXPECT_EQ(bar.left, 15);
    EXPECT_EQ(bar.right, 235);
    EXPECT_EQ(bar.top, 23);
    EXPECT_EQ(bar.bottom, 47);
}

TEST(ProgressBar, SplitRoundsTheShareOfTheInnerWidth) {
    const ProgressBar bar = ProgressBar::forClientArea(250, 70);  // inner width 218 from x 16
    EXPECT_EQ(bar.splitX(0, 100), 16);
    EXPECT_EQ(bar.splitX(100, 100), 16 + 218);
    EXPECT_EQ(bar.splitX(1, 3), 16 + 73);  // 72.67 rounds up
    EXPECT_EQ(bar.splitX(1, 4), 16 + 55);  // 54.5 rounds up
    EXPECT_DOUBLE_EQ(bar.fraction(bar.splitX(1, 2)), 0.5);
}

TEST(ProgressBar, NothingToDoDrawsAnEmptyBar) {
    const ProgressBar bar = ProgressBar::forClientArea(250, 70);
    EXPECT_EQ(bar.splitX(0, 0), 16);
    EXPECT_EQ(bar.splitX(5, 0), 16);
}

}  // namespace
}  // namespace velmorin
