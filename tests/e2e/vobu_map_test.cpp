// The scanner's GOP table on a real disc against libdvdread's reading of the VTSI file.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "platform/binary_file.h"
#include "platform/sector_buffer.h"
#include "sample_disc.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

struct SampleDiscScan : ::testing::TestWithParam<bool> {};

TEST_P(SampleDiscScan, GopTableEqualsTheVobuAddressMap) {
    const test::OracleReading oracle = test::readOracle();
    ASSERT_GT(oracle.vobus.size(), 20u);
    ASSERT_GT(oracle.cells.size(), 2u);

    auto state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui(shell);
    MemoryGopList list;
    SectorBuffer buffer;
    const auto vobs = test::sampleVobFiles();
    state->inputFiles.fileCount = static_cast<int>(vobs.size());
    std::copy(vobs.begin(), vobs.end(), state->inputFiles.filePath.begin());
    state->sourceOptions.fastRead = GetParam();
    ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
    EXPECT_TRUE(ui.messages.empty());

    // The VTSI counts sectors across the VOB set; the table counts them per file.
    const auto firstFileSectors = static_cast<std::uint32_t>(*regularFileSize(vobs[0]) / 2048);
    const auto& table = state->gopTable;
    ASSERT_EQ(table.gopCount, static_cast<int>(oracle.vobus.size()));
    bool splitInsideAVobu = false;
    for (int k = 0; k < table.gopCount; ++k) {
        const std::uint32_t s = oracle.vobus[static_cast<std::size_t>(k)];
        const int file = s < firstFileSectors ? 0 : 1;
        const std::uint32_t sector = file == 0 ? s : s - firstFileSectors;
        EXPECT_EQ(table.fileIndex[static_cast<std::size_t>(k)], file) << "GOP " << k;
        EXPECT_EQ(table.startSector[static_cast<std::size_t>(k)], sector) << "GOP " << k;

        const bool cellStart = std::binary_search(oracle.cells.begin(), oracle.cells.end(), s);
        EXPECT_EQ((table.flags[static_cast<std::size_t>(k)] & kCellStart) != 0, cellStart)
            << "GOP " << k;
        if (table.extent(k, state->inputFiles).continuesInNextFile()) splitInsideAVobu = true;
    }
    EXPECT_TRUE(splitInsideAVobu);
    const auto total =
        static_cast<std::uint32_t>((*regularFileSize(vobs[0]) + *regularFileSize(vobs[1])) / 2048);
    EXPECT_EQ(table.fileIndex[static_cast<std::size_t>(table.gopCount)], 2);
    EXPECT_EQ(table.startSector[static_cast<std::size_t>(table.gopCount)],
              total - firstFileSectors);
}

INSTANTIATE_TEST_SUITE_P(BothReaders, SampleDiscScan, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Fast" : "Full"; });

}  // namespace
}  // namespace velmorin
