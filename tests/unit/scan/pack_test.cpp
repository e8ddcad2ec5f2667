#include "scan/pack.h"

#include <gtest/gtest.h>

#include "pack_builder.h"

namespace velmorin {
namespace {

TEST(Pack, ScrTimeValueTakesTheLow32BitsOfTheBase) {
    for (std::uint64_t base :
         {0ull, 1ull, 90000ull, 0x12345678ull, 0xFFFFFFFFull, 0x1ABCDEF01ull}) {
        test::Sector p = test::makePack(0xE0, base);
        EXPECT_EQ(scrTimeValue(SectorView(p)), static_cast<std::uint32_t>(base)) << base;
    }
}

TEST(Pack, TimeCodeSplitsTicksWithoutReducingHours) {
    const TimeCode t =
        timeCodeOf(3u * 324000000u + 25u * 5400000u + 7u * 90000u + 123u * 90u + 89u);
    EXPECT_EQ(t.hours, 3u);
    EXPECT_EQ(t.minutes, 25u);
    EXPECT_EQ(t.seconds, 7u);
    EXPECT_EQ(t.milliseconds, 123u);
    EXPECT_EQ(timeCodeOf(0xFFFFFFFFu).hours, 13u);
}

TEST(Pack, RecognisesPacksAndNavigationPacks) {
    test::Sector video = test::makePack(0xE0);
    test::Sector nav = test::makeNavPack({});
    EXPECT_TRUE(isPack(SectorView(video)));
    EXPECT_FALSE(isNavigationPack(SectorView(video)));
    EXPECT_TRUE(isNavigationPack(SectorView(nav)));
    nav[3] = 0xBB;
    EXPECT_FALSE(isPack(SectorView(nav)));
    EXPECT_FALSE(isNavigationPack(SectorView(nav)));
}

TEST(Pack, CellElapsedTimeIgnoresHoursTensAndFrameRate) {
    test::Sector p = test::makeNavPack({});
    auto zero = [&](std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
        test::setCellElapsedTime(p, a, b, c, d);
        return cellElapsedTimeIsZero(SectorView(p));
    };
    EXPECT_TRUE(zero(0x00, 0x00, 0x00, 0x00));
    EXPECT_TRUE(zero(0x10, 0x00, 0x00, 0x00));  // 10:00:00:00 still starts a cell
    EXPECT_TRUE(zero(0x00, 0x00, 0x00, 0xC0));  // frame-rate bits
    EXPECT_FALSE(zero(0x01, 0x00, 0x00, 0x00));
    EXPECT_FALSE(zero(0x00, 0x10, 0x00, 0x00));
    EXPECT_FALSE(zero(0x00, 0x00, 0x01, 0x00));
    EXPECT_FALSE(zero(0x00, 0x00, 0x00, 0x20));
    EXPECT_FALSE(zero(0x00, 0x00, 0x00, 0x01));
}

TEST(Pack, NavigationFields) {
    test::NavFields f;
    f.vobuEnd = 0x01020304;
    f.category = 0xA0;
    f.chapterMarker = true;
    test::Sector p = test::makeNavPack(f);
    EXPECT_EQ(vobuEndAddress(SectorView(p)), 0x01020304u);
    EXPECT_EQ(vobuCategory(SectorView(p)), 0xA0);
    EXPECT_TRUE(hasChapterMarker(SectorView(p)));
    p[2033] = 0xB6;
    EXPECT_FALSE(hasChapterMarker(SectorView(p)));
}

}  // namespace
}  // namespace velmorin
