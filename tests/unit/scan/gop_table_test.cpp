#include "scan/gop_table.h"

#include <gtest/gtest.h>

#include <memory>

#include "pack_builder.h"
#include "scan/mute_marker.h"

namespace velmorin {
namespace {

struct TableFixture : ::testing::Test {
    std::unique_ptr<GopTable> table = std::make_unique<GopTable>();
    InputFileSet files;

    void SetUp() override {
        files.fileCount = 2;
        files.fileSize = {100.0 * 2048, 50.0 * 2048};
    }
};

TEST_F(TableFixture, ExtentWithinOneFileEndsAtTheNextGop) {
    table->append(0, 0, kCellStart | kChapterStart);
    table->append(0, 40, 0);
    table->append(1, 3, 0);
    table->close(files);

    const GopExtent e = table->extent(0, files);
    EXPECT_EQ(e.file, 0);
    EXPECT_EQ(e.firstSector, 0u);
    EXPECT_EQ(e.endSector, 40u);
    EXPECT_FALSE(e.continuesInNextFile());
    EXPECT_EQ(e.sectorCount(), 40u);
}

TEST_F(TableFixture, LastGopOfAFileContinuesWithThePacksBeforeTheNextNavigationPack) {
    table->append(0, 0, 0);
    table->append(0, 40, 0);
    table->append(1, 3, 0);
    table->close(files);

    const GopExtent e = table->extent(1, files);
    EXPECT_EQ(e.file, 0);
    EXPECT_EQ(e.firstSector, 40u);
    EXPECT_EQ(e.endSector, 100u);
    EXPECT_EQ(e.nextFileSectors, 3u);
    EXPECT_EQ(e.sectorCount(), 63u);
}

TEST_F(TableFixture, NoContinuationWhenTheNextFileStartsWithANavigationPack) {
    table->append(0, 0, 0);
    table->append(1, 0, 0);
    table->close(files);

    const GopExtent e = table->extent(0, files);
    EXPECT_EQ(e.endSector, 100u);
    EXPECT_FALSE(e.continuesInNextFile());
}

TEST_F(TableFixture, EndEntryClosesTheLastGopAtTheEndOfTheLastFile) {
    table->append(0, 0, 0);
    table->append(1, 3, 0);
    table->close(files);

    EXPECT_EQ(table->fileIndex[2], 2);
    EXPECT_EQ(table->startSector[2], 50u);
    const GopExtent e = table->extent(1, files);
    EXPECT_EQ(e.file, 1);
    EXPECT_EQ(e.firstSector, 3u);
    EXPECT_EQ(e.endSector, 50u);
    EXPECT_FALSE(e.continuesInNextFile());
}

TEST_F(TableFixture, ClearAndInvalidateResetCountsAndFlags) {
    table->append(0, 0, kCellStart);
    table->append(0, 5, kChapterStart);
    table->invalidate(files);
    EXPECT_EQ(files.fileCount, 0);
    EXPECT_EQ(table->gopCount, 0);
    EXPECT_EQ(table->flags[0], 0);
    EXPECT_EQ(table->flags[1], 0);
}

TEST(MuteMarker, PatternTextsInStateOrder) {
    const char* expected[] = {"****", "-***", "--**", "---*", "----", "***-", "**--", "*---"};
    for (int s = 0; s < 8; ++s) EXPECT_EQ(patternText(s), expected[s]);
    EXPECT_EQ(patternText(8), "****");
    EXPECT_EQ(patternText(-1), "****");
}

TEST(MuteMarker, WriteThenReadEveryState) {
    for (int s = 0; s < 8; ++s) {
        test::Sector pack = test::makeNavPack({});
        writeMuteMarker(MutableSectorView(pack), s);
        EXPECT_EQ(readMuteState(SectorView(pack)), s);
        if (s == 0) {
            EXPECT_EQ(pack[2036], 0);
            EXPECT_EQ(pack[2037], 0);
        } else {
            EXPECT_EQ(pack[2036], 0x93);
            EXPECT_EQ(pack[2037], 0x39);
            EXPECT_EQ(pack[2038], s);
        }
        EXPECT_EQ(pack[2039], 0);
    }
}

TEST(MuteMarker, OutOfRangeWritesZerosAndForeignBytesReadAsZero) {
    test::Sector pack = test::makeNavPack({});
    writeMuteMarker(MutableSectorView(pack), 5);
    writeMuteMarker(MutableSectorView(pack), 9);
    EXPECT_EQ(pack[2036] | pack[2037] | pack[2038] | pack[2039], 0);

    pack[2036] = 0x93, pack[2037] = 0x39, pack[2038] = 8;  // state out of range
    EXPECT_EQ(readMuteState(SectorView(pack)), 0);
    pack[2038] = 3, pack[2039] = 0xFF;  // byte 2039 is not looked at
    EXPECT_EQ(readMuteState(SectorView(pack)), 3);
    pack[2037] = 0x38;  // wrong magic
    EXPECT_EQ(readMuteState(SectorView(pack)), 0);
}

}  // namespace
}  // namespace velmorin
