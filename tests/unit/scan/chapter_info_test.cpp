#include "scan/chapter_info.h"

#include <gtest/gtest.h>

namespace velmorin {
namespace {

TEST(ChapterTest, SectorMatchLooksOnlyAtTheFilledEntries) {
    ChapterInfo info;
    info.count = 2;
    info.sectors[0] = 100;
    info.sectors[1] = 500;
    info.sectors[2] = 900;  // beyond count
    EXPECT_TRUE(info.startsChapter(ChapterMethod::SectorMatch, 100, false, 0));
    EXPECT_TRUE(info.startsChapter(ChapterMethod::SectorMatch, 500, true, 3));
    EXPECT_FALSE(info.startsChapter(ChapterMethod::SectorMatch, 900, true, 3));
    EXPECT_FALSE(info.startsChapter(ChapterMethod::SectorMatch, 101, true, 1));
}

TEST(ChapterTest, CountCellsUsesTheEntryFlagOfTheCountedCell) {
    ChapterInfo info;
    info.cellIsEntry[0] = 1;
    info.cellIsEntry[2] = 1;
    info.cellIsEntry[999] = 1;
    EXPECT_TRUE(info.startsChapter(ChapterMethod::CountCells, 0, true, 1));
    EXPECT_FALSE(info.startsChapter(ChapterMethod::CountCells, 0, true, 2));
    EXPECT_TRUE(info.startsChapter(ChapterMethod::CountCells, 0, true, 3));
    EXPECT_FALSE(info.startsChapter(ChapterMethod::CountCells, 0, false, 3));  // not a new cell
    EXPECT_FALSE(info.startsChapter(ChapterMethod::CountCells, 0, true, 0));
    EXPECT_TRUE(info.startsChapter(ChapterMethod::CountCells, 0, true, 1000));
    EXPECT_FALSE(info.startsChapter(ChapterMethod::CountCells, 0, true, 1001));
}

}  // namespace
}  // namespace velmorin
