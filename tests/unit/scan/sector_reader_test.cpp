#include "scan/sector_reader.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>

#include "common/byte_order.h"
#include "pack_builder.h"

namespace velmorin {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024 / kSectorSize;  // sectors
constexpr std::uint64_t kPastFourGigabytes = 4096 * kMiB + 5;

// A sparse file past 4 GiB whose marked sectors hold their own number; the others are
// zeros. It ends in a partial sector, which no way of reading may return.
struct SectorReaderTest : ::testing::Test {
    test::TempDir dir;
    std::string path = dir.file("VTS_01_1.VOB");
    std::set<std::uint64_t> marked{0,
                                   1,
                                   32 * kMiB - 1,
                                   32 * kMiB,
                                   64 * kMiB - 1,
                                   64 * kMiB,
                                   64 * kMiB + 1,
                                   80 * kMiB,
                                   100 * kMiB,
                                   kPastFourGigabytes,
                                   kPastFourGigabytes + 2};
    std::uint64_t sectors = kPastFourGigabytes + 3;
    SectorBuffer buffer;

    void SetUp() override {
        test::writeBytes(path, "");
        BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Update);
        ASSERT_TRUE(file.isOpen());
        std::uint8_t sector[kSectorSize] = {};
        for (const std::uint64_t n : marked) {
            writeBe32(sector, static_cast<std::uint32_t>(n >> 32));
            writeBe32(sector + 4, static_cast<std::uint32_t>(n));
            ASSERT_TRUE(file.seek(n * kSectorSize) && file.write(sector, kSectorSize));
        }
        ASSERT_TRUE(file.seek(sectors * kSectorSize) && file.write("part", 4));
        ASSERT_TRUE(file.close());
    }
    void TearDown() override { SectorReader::forceWayForTesting(std::nullopt); }

    // Reads [first, first + count) run by run as the map does, checking every sector.
    void readAndCheck(SectorReader& reader, std::uint64_t first, std::uint64_t count) {
        const std::uint64_t end = std::min(first + count, sectors);
        while (first < end) {
            const SectorRun run = reader.read(first, end - first);
            ASSERT_GT(run.count, 0u) << "at sector " << first;
            ASSERT_LE(first + run.count, end);
            for (std::size_t i = 0; i < run.count; ++i, ++first) {
                const SectorView s = run.sector(i);
                const std::uint64_t number =
                    std::uint64_t{readBe32(s.data())} << 32 | readBe32(s.data() + 4);
                ASSERT_EQ(number, marked.count(first) ? first : 0) << "at sector " << first;
            }
        }
        if (end == sectors) {
            EXPECT_EQ(reader.read(end, 10).count, 0u) << "past the end";
        }
    }
    void readAll(SectorReader& reader) {
        ASSERT_TRUE(reader.open(path));
        for (std::uint64_t first = 0; first < 110 * kMiB; first += 257)
            readAndCheck(reader, first, 257);
        readAndCheck(reader, kPastFourGigabytes - 1, 100);
    }
};

TEST_F(SectorReaderTest, EveryWayGivesTheFilesWholeSectors) {
    ASSERT_TRUE(MappedFile::open(path).isOpen());  // else both ways would read
    for (const auto way : {SectorReader::Way::Reading, SectorReader::Way::Mapping}) {
        SectorReader::forceWayForTesting(way);
        SectorReader reader(buffer);
        readAll(reader);
        EXPECT_EQ(reader.way(), way);
    }
}

TEST_F(SectorReaderTest, TheTrialSettlesOnOneWayAndAnotherFileKeepsIt) {
    SectorReader reader(buffer);
    readAll(reader);
    const SectorReader::Way chosen = reader.way();
    EXPECT_TRUE(chosen == SectorReader::Way::Mapping || chosen == SectorReader::Way::Reading);
    EXPECT_FALSE(reader.open(dir.file("VTS_01_9.VOB")));
    readAll(reader);
    EXPECT_EQ(reader.way(), chosen);
}

// A file that shrinks under a pass (another program truncates it) ends where it now ends,
// mapped or not: the pages past its end are refused as a view and read short. Windows
// refuses to shorten a file that is mapped.
TEST_F(SectorReaderTest, AFileThatShrinksEndsWhereItNowEnds) {
#if defined(_WIN32)
    GTEST_SKIP() << "a mapped file cannot be shortened on Windows";
#else
    for (const auto way : {SectorReader::Way::Mapping, SectorReader::Way::Reading}) {
        SetUp();
        SectorReader::forceWayForTesting(way);
        SectorReader reader(buffer);
        ASSERT_TRUE(reader.open(path));
        std::filesystem::resize_file(path, 40 * kMiB * kSectorSize);
        std::uint64_t got = 0;
        for (SectorRun run; (run = reader.read(33 * kMiB + got, 64 * kMiB)).count > 0;)
            got += run.count;
        EXPECT_EQ(got, 7 * kMiB);
    }
#endif
}

}  // namespace
}  // namespace velmorin
