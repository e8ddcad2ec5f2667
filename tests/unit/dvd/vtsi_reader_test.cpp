#include "dvd/vtsi_reader.h"

#include <gtest/gtest.h>

#include <cstring>

#include "common/byte_order.h"
#include "dvd/ifo_file.h"
#include "fake_platform.h"
#include "pack_builder.h"
#include "scripted_ui.h"

namespace velmorin {
namespace {

struct Pgc {
    std::vector<std::uint32_t> cellSectors;  // first VOBU sector of each cell
    std::vector<std::uint8_t> programMap;    // entry cell numbers, zeros kept as padding
    std::vector<bool> interleaved;
};

// A VTSI image: identifier, the PGC table in sector 1, each PGC with its program map
// right after the fixed part and its cell playback table after the map.
std::vector<std::uint8_t> makeVtsi(const std::vector<Pgc>& pgcs) {
    std::vector<std::uint8_t> ifo(2048 + 8 + 8 * pgcs.size());
    std::memcpy(ifo.data(), "DVDVIDEO-VTS", 12);
    ifo[0xCF] = 1;
    writeBe16(ifo.data() + 2048, static_cast<std::uint16_t>(pgcs.size()));
    for (std::size_t i = 0; i < pgcs.size(); ++i) {
        const Pgc& pgc = pgcs[i];
        const std::size_t g = ifo.size();
        writeBe32(ifo.data() + 2048 + 8 + 8 * i + 4, static_cast<std::uint32_t>(g - 2048));
        const std::size_t map = 0xEC, cells = map + pgc.programMap.size() + 2;
        ifo.resize(g + cells + 24 * pgc.cellSectors.size() + 8);
        ifo[g + 3] = static_cast<std::uint8_t>(pgc.cellSectors.size());
        writeBe16(ifo.data() + g + 0xE6, static_cast<std::uint16_t>(map));
        writeBe16(ifo.data() + g + 0xE8, static_cast<std::uint16_t>(cells));
        writeBe16(ifo.data() + g + 0xEA,
                  static_cast<std::uint16_t>(cells + 24 * pgc.cellSectors.size()));
        std::copy(pgc.programMap.begin(), pgc.programMap.end(),
                  ifo.begin() + static_cast<long>(g + map));
        for (std::size_t c = 0; c < pgc.cellSectors.size(); ++c) {
            writeBe32(ifo.data() + g + cells + 24 * c + 8, pgc.cellSectors[c]);
            if (c < pgc.interleaved.size() && pgc.interleaved[c])
                writeBe32(ifo.data() + g + cells + 24 * c + 12, 99);
        }
    }
    ifo.resize(std::max<std::size_t>(ifo.size(), 4096));
    return ifo;
}

struct Vtsi : ::testing::Test {
    ShellState shell;
    test::ScriptedUi ui{shell};
    ChapterInfo chapters;

    bool parse(const std::vector<std::uint8_t>& ifo, bool check = false) {
        return parseVtsi(ByteReader(ifo.data(), ifo.size()), check, chapters, ui);
    }
};

TEST_F(Vtsi, ChaptersAreTheEntryCellsOfEveryProgramInTableOrder) {
    const auto ifo = makeVtsi({
        {{100, 200, 300, 400, 500, 600}, {1, 3, 5, 0, 0}, {}},
        {{700, 800}, {2}, {}},
    });
    ASSERT_TRUE(parse(ifo));
    EXPECT_EQ(chapters.count, 4);
    EXPECT_EQ(std::vector<std::uint32_t>(chapters.sectors.begin(), chapters.sectors.begin() + 4),
              (std::vector<std::uint32_t>{100, 300, 500, 800}));
    EXPECT_EQ(chapters.firstCellSector, 100u);
    std::vector<int> entries;
    for (int c = 0; c < ChapterInfo::kMaxCells; ++c)
        if (chapters.cellIsEntry[static_cast<std::size_t>(c)]) entries.push_back(c);
    EXPECT_EQ(entries, (std::vector<int>{0, 2, 4, 7}));  // the second PGC's cells start at 6
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Vtsi, NoProgramChainsStillSucceeds) {
    chapters.count = 5;
    ASSERT_TRUE(parse(makeVtsi({})));
    EXPECT_EQ(chapters.count, 0);
    EXPECT_EQ(chapters.firstCellSector, 0u);
}

TEST_F(Vtsi, EveryRangeCheckIsAFormatError) {
    auto good = makeVtsi({{{100}, {1}, {}}});
    ASSERT_TRUE(parse(good));
    const std::size_t g = 2048 + 16;

    auto wrongId = good;
    wrongId[11] = 'X';
    EXPECT_FALSE(parse(wrongId));
    EXPECT_FALSE(
        parse(std::vector<std::uint8_t>(good.begin(), good.begin() + 2048 + 15)));  // P + 16 > L
    EXPECT_FALSE(
        parse(std::vector<std::uint8_t>(good.begin(), good.begin() + g + 235)));  // G + 236 > L
    for (const std::size_t field : {0xE6, 0xE8, 0xEA}) {  // M, B or Q beyond the bytes read
        auto beyond = good;
        writeBe16(beyond.data() + g + field, 0xF000);
        EXPECT_FALSE(parse(beyond)) << field;
    }
    auto emptyMap = good;  // B <= M
    writeBe16(emptyMap.data() + g + 0xE8, 0xEC);
    EXPECT_FALSE(parse(emptyMap));
}

TEST_F(Vtsi, PointersBeyondTheBytesExaminedAreFormatErrorsAtTheirFullWidth) {
    auto good = makeVtsi({{{100}, {1}, {}}});
    good.resize(IfoBuffer::kSize);
    ASSERT_TRUE(parse(good));
    // The table's sector and the PGC's offset: just past 64 KiB, with the low byte / low
    // 16 bits of the valid ones, and all ones (no overflow).
    using Field = std::pair<int, std::vector<std::uint32_t>>;
    for (const auto& [at, values] :
         {Field{0xCC, {32, 0x101, ~0u}}, Field{2048 + 12, {0x10000, 0x10010, ~0u}}})
        for (const std::uint32_t value : values) {
            auto far = good;
            writeBe32(far.data() + at, value);
            EXPECT_FALSE(parse(far)) << at << ' ' << value;
        }
}

TEST_F(Vtsi, OffsetsOutsideTheBytesReadGiveZeros) {
    // Cell 255 lies 24 × 254 bytes past the cell table, beyond the 64 KiB that are read.
    Pgc pgc{{100}, {255, 1}, {}};
    auto ifo = makeVtsi({pgc});
    ifo[0xCF] = 30;  // the table at 61,440: its cell entries run past 65,536
    std::vector<std::uint8_t> moved(61440, 0);
    std::copy(ifo.begin(), ifo.begin() + 2048, moved.begin());
    moved.insert(moved.end(), ifo.begin() + 2048, ifo.end());
    ASSERT_TRUE(parse(moved));
    EXPECT_EQ(chapters.count, 2);
    EXPECT_EQ(chapters.sectors[0], 0u);
    EXPECT_EQ(chapters.sectors[1], 100u);
}

TEST_F(Vtsi, AtMost999ChapterSectorsAndCellsBeyond1000AreNotFlagged) {
    std::vector<Pgc> pgcs(
        5, Pgc{std::vector<std::uint32_t>(250, 7), std::vector<std::uint8_t>(250), {}});
    for (auto& pgc : pgcs)
        for (int i = 0; i < 250; ++i)
            pgc.programMap[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    ASSERT_TRUE(parse(makeVtsi(pgcs)));
    EXPECT_EQ(chapters.count, 999);
    EXPECT_EQ(chapters.cellIsEntry[998], 1);
    EXPECT_EQ(chapters.cellIsEntry[999], 0);  // the 1000th program was not taken
}

TEST_F(Vtsi, InterleaveWarningOnlyWithTheCheckAndOnlyOnce) {
    const auto ifo = makeVtsi({{{100, 200}, {1}, {false, true}}, {{300}, {1}, {true}}});
    ASSERT_TRUE(parse(ifo));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_TRUE(parse(ifo, true));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"info", vtsi_messages::kInterleaved}}));
}

TEST(VobSearch, OneDigitThenTwoDigitPartsAndAGapEndsTheSet) {
    test::FakePlatform fs;
    for (int m = 1; m <= 9; ++m) fs.add("/a/VTS_01_" + std::to_string(m) + ".VOB");
    fs.add("/a/VTS_01_10.VOB");
    fs.add("/a/VTS_01_12.VOB");
    const auto all = findTitleSetVobs(fs, test::native("/a"), "VTS_01_0.IFO");
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all[9], test::native("/a/VTS_01_10.VOB"));

    fs.add("/b/VTS_02_01.VOB");
    fs.add("/b/VTS_02_02.VOB");
    EXPECT_EQ(findTitleSetVobs(fs, test::native("/b/"), "VTS_02_0.IFO"),
              (std::vector<std::string>{test::native("/b/VTS_02_01.VOB"),
                                        test::native("/b/VTS_02_02.VOB")}));

    fs.add("/c/vts_03_1.vob");
    fs.add("/c/vts_03_3.vob");
    EXPECT_EQ(findTitleSetVobs(fs, test::native("/c"), "vts_03_0.ifo"),
              std::vector<std::string>{test::native("/c/vts_03_1.vob")});
    EXPECT_TRUE(findTitleSetVobs(fs, test::native("/c"), "VTS_04_0.IFO").empty());
}

TEST(ReadVtsi, MessagesAndTheInputFileSet) {
    test::TempDir dir;
    ShellState shell;
    test::ScriptedUi ui(shell);
    ChapterInfo chapters;
    InputFileSet files;
    SourceOptions options;
    test::FakePlatform fs;
    const auto ifo = makeVtsi({{{0}, {1}, {}}});
    test::writeBytes(dir.file("VTS_01_0.IFO"), std::string(ifo.begin(), ifo.end()));
    test::writeBytes(dir.file("BAD_0.IFO"), "DVDVIDEO-VMG");

    EXPECT_FALSE(readVtsi(dir.path(), "VTS_09_0.IFO", options, chapters, files, ui, fs));
    EXPECT_FALSE(readVtsi(dir.path(), "BAD_0.IFO", options, chapters, files, ui, fs));
    EXPECT_FALSE(readVtsi(dir.path(), "VTS_01_0.IFO", options, chapters, files, ui, fs));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{
                               {"error", "VTSIファイルが開けません."},
                               {"error", "VTSIファイルの形式が異常です."},
                               {"error", "VTSIファイルに対応するVOBファイルが見つかりません."}}));
    EXPECT_EQ(files.fileCount, 0);

    fs.add(dir.file("VTS_01_1.VOB"));
    ASSERT_TRUE(readVtsi(dir.path(), "VTS_01_0.IFO", options, chapters, files, ui, fs));
    EXPECT_EQ(files.fileCount, 1);
    EXPECT_EQ(files.filePath[0], dir.file("VTS_01_1.VOB"));
}

}  // namespace
}  // namespace velmorin
