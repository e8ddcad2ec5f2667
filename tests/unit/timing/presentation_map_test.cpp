#include "timing/presentation_map.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "map_fixture.h"

namespace velmorin {
namespace {

using test::PresentationMapTest;

constexpr TitleTime kFrame = 2880;  // one AC-3 frame

TEST_F(PresentationMapTest, QuartersCarryTheirPacketsTimesUpToTheStreamsNextPacket) {
    // 8 AC-3 packets: quarters of 2; the third has no time stamp and goes with the second.
    vobu({.muteState = 6, .startPtm = 90000, .endPtm = 90000 + 15 * 3003});
    audio(0x80, {89000, 89000 + kFrame, -1, 89000 + 3 * kFrame});
    vob.packs(1).pack(test::makePack(0xC0));
    audio(0x80, {89000 + 4 * kFrame, 89000 + 5 * kFrame, 89000 + 6 * kFrame, 89000 + 7 * kFrame});
    vobu({.startPtm = 90000 + 15 * 3003, .endPtm = 90000 + 30 * 3003});
    audio(0x80, {89000 + 8 * kFrame});
    ASSERT_EQ(build().result, MapResult::Ok);

    const GopPresentation& gop = map.gops[0];
    EXPECT_EQ(gop.pattern, 6);
    EXPECT_EQ(gop.pictures, (TitleSpan{0, 15 * 3003}));
    EXPECT_EQ(gop.packets, (std::array<int, 4>{2, 2, 2, 2}));
    EXPECT_EQ(quarter(0, 0), (TitleSpan{-1000, -1000 + 3 * kFrame}));
    EXPECT_EQ(quarter(0, 1), (TitleSpan{-1000 + 1 * kFrame, -1000 + 4 * kFrame}));
    EXPECT_EQ(quarter(0, 3), (TitleSpan{-1000 + 6 * kFrame, -1000 + 8 * kFrame}));
    EXPECT_EQ(quarter(1, 1), (TitleSpan{-1000 + 8 * kFrame, -1000 + 9 * kFrame}));
    EXPECT_TRUE(map.mpegAudio);
    EXPECT_EQ(map.title, (TitleSpan{0, 30 * 3003}));
}

TEST_F(PresentationMapTest, StreamsUniteAndPlainFilesGoOnAcrossADiscontinuity) {
    vobu({.startPtm = 90000, .endPtm = 180000, .vobId = 1});
    for (std::int64_t q = 0; q < 4; ++q) {
        audio(0x80, {90000 + 15000 * q});
        audio(0xA0, {95000 + 15000 * q});
    }
    // A new VOB whose time stamps start again: it follows on where the first ended.
    vobu({.startPtm = 90000, .endPtm = 150000, .vobId = 2});
    audio(0x80, {90000});
    audio(0xA0, {90000});
    ASSERT_EQ(build().result, MapResult::Ok);

    EXPECT_EQ(quarter(0, 0), (TitleSpan{0, 20000}));
    EXPECT_EQ(quarter(0, 3), (TitleSpan{45000, 90000}));
    EXPECT_EQ(map.gops[1].pictures, (TitleSpan{90000, 150000}));
    EXPECT_EQ(quarter(1, 0), (TitleSpan{90000, 135000}));
    EXPECT_FALSE(map.mpegAudio);
}

TEST_F(PresentationMapTest, CellsOrderTheTitleAndLeaveOtherTitlesOut) {
    vobu({.startPtm = 5000, .endPtm = 95000});  // cell 2 of the title
    audio(0x80, {5000});
    vobu({.startPtm = 7000, .endPtm = 97000});  // not in the title
    vobu({.startPtm = 1000, .endPtm = 91000});  // cell 1
    audio(0x80, {1000});
    const std::vector<TitleCell> cells{{3, 4, 0, 90000}, {0, 1, 90000, 90000}};
    ASSERT_EQ(build(&cells).result, MapResult::Ok);

    EXPECT_EQ(map.gops[2].pictures, (TitleSpan{0, 90000}));
    EXPECT_EQ(map.gops[0].pictures, (TitleSpan{90000, 180000}));
    EXPECT_FALSE(map.gops[1].inTitle);
    EXPECT_EQ(quarter(2, 1), (TitleSpan{0, 90000}));  // ends where the stream goes on
    EXPECT_EQ(map.title, (TitleSpan{0, 180000}));
}

// Two branches interleaved in one stretch of sectors, as seamless branching lays them
// out: the title's cell takes only its own units.
TEST_F(PresentationMapTest, AnInterleavedCellTakesOnlyItsOwnUnits) {
    for (std::uint8_t cell : {1, 2, 1, 2}) {
        vobu({.startPtm = 90000, .endPtm = 135000, .vobId = 1, .cellId = cell});
        audio(0x80, {90000});
    }
    const std::vector<TitleCell> cells{{0, 15, 0, 90000, 1, 1}};
    ASSERT_EQ(build(&cells).result, MapResult::Ok);
    for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(map.gops[k].inTitle, k % 2 == 0) << k;
}

TEST_F(PresentationMapTest, ATableThatNoLongerFitsTheFileIsRefused) {
    vobu({});
    vob.packs(3);
    vobuStarts.push_back(2);  // a video pack where the table says a GOP starts
    EXPECT_EQ(build().result, MapResult::NotNavigationPack);
}

TEST_F(PresentationMapTest, AFileShorterThanTheTableSaysIsAReadError) {
    vobu({});
    audio(0x80, {90000, 92880, 95760});
    ASSERT_EQ(build().result, MapResult::Ok);
    std::filesystem::resize_file(files.filePath[0], 2 * 2048);
    EXPECT_EQ(buildPresentationMap({*table, files}, buffer, map).result, MapResult::ReadError);
}

TEST(PlaybackTime, FramesCountAtTheNominalRateAndLastAsLongAsThePictures) {
    EXPECT_EQ(playbackTimeTicks(0x000004E4), 144 * 3003);               // 4 s 24 frames at 30
    EXPECT_EQ(playbackTimeTicks(0x01020364), (3723 * 25 + 24) * 3600);  // 1:02:03, 24 at 25
}

}  // namespace
}  // namespace velmorin
