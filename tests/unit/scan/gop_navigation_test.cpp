#include "scan/gop_navigation.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/gop_list_commands.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// 20 GOPs, 5 visible lines; cells start at 0, 4, 9, 17, chapters at 4 and 17.
struct Navigation : ::testing::Test {
    std::unique_ptr<GopTable> table = std::make_unique<GopTable>();
    MemoryGopList list{5};
    int refreshes = 0;

    void SetUp() override {
        for (int i = 0; i < 20; ++i) {
            std::uint8_t f = 0;
            if (i == 0 || i == 4 || i == 9 || i == 17) f |= kCellStart;
            if (i == 4 || i == 17) f |= kChapterStart;
            table->append(0, static_cast<std::uint32_t>(i * 10), f);
            list.append("line " + std::to_string(i));
        }
    }
    int press(NavigationDirection d, GopFlag bit) {
        return navigateGopList(*table, list, d, bit, [this] { ++refreshes; });
    }
};

TEST_F(Navigation, BackwardFromTheTopLineOnlyRefreshesThePreview) {
    list.setCaretLine(3);
    list.select(3);
    EXPECT_EQ(press(NavigationDirection::Backward, kCellStart), -1);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(list.caretLine(), 3);
    EXPECT_EQ(list.selectedLines(), std::vector<int>{3});
}

TEST_F(Navigation, ForwardMakesTheFoundLineTopSelectedAndCaret) {
    list.select(2);
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 4);
    EXPECT_EQ(list.topLine(), 4);
    EXPECT_EQ(list.caretLine(), 4);
    EXPECT_EQ(list.selectedLines(), std::vector<int>{4});
    EXPECT_TRUE(list.focused());
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 9);
    EXPECT_EQ(press(NavigationDirection::Backward, kCellStart), 4);
    EXPECT_EQ(refreshes, 3);
}

TEST_F(Navigation, SearchStartsFromTheTopLineNotTheCaret) {
    list.scrollToTop(5);
    list.setCaretLine(8);  // a click further down the window
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 9);
    list.scrollToTop(5);
    list.setCaretLine(12);
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 9);
}

TEST_F(Navigation, BackwardStopsAtTheFirstLineWithoutAMark) {
    list.scrollToTop(3);
    EXPECT_EQ(press(NavigationDirection::Backward, kChapterStart), 0);
    EXPECT_EQ(list.topLine(), 0);
}

TEST_F(Navigation, NearTheEndTheFoundLineCannotBecomeTheTopLine) {
    list.scrollToTop(15);  // the last top line a 5-line window allows
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 17);
    // Line 17 cannot become the top line; the next search starts before it again.
    EXPECT_EQ(list.topLine(), 15);
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), 17);
    EXPECT_EQ(press(NavigationDirection::Forward, kChapterStart), 17);
    list.scrollToTop(17);
    EXPECT_EQ(list.topLine(), 15);
}

TEST_F(Navigation, NothingAtAllWithAnEmptyTable) {
    table->gopCount = 0;
    EXPECT_EQ(press(NavigationDirection::Forward, kCellStart), -1);
    EXPECT_EQ(refreshes, 0);
}

TEST_F(Navigation, ListWithoutChapterMarks) {
    for (auto& f : table->flags) f &= static_cast<std::uint8_t>(~kChapterStart);
    list.scrollToTop(10);
    EXPECT_EQ(press(NavigationDirection::Forward, kChapterStart), -1);
    EXPECT_EQ(list.topLine(), 10);
    EXPECT_EQ(press(NavigationDirection::Backward, kChapterStart), 0);
}

}  // namespace
}  // namespace velmorin
