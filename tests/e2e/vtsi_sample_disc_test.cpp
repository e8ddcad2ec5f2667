// Chapters from the VTSI file and the title list on the real disc, against libdvdread
// and lsdvd.
#include <gtest/gtest.h>

#include <regex>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

struct Line {
    bool chapter = false;
    bool cell = false;
};

std::vector<Line> scanVtsi(const std::string& method) {
    const auto r =
        runCommand(shellQuoted(VELMORIN_CLI) + " scan --json --vtsi " +
                   shellQuoted(test::sampleVideoTs() + "/VTS_01_0.IFO") + " --chapters " + method);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<Line> lines;
    static const std::regex flags("\"flags\":([0-9]+)");
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), flags), end; it != end; ++it) {
        const int f = std::stoi((*it)[1]);
        lines.push_back({(f & 2) != 0, (f & 1) != 0});
    }
    return lines;
}

TEST(VtsiSampleDisc, SectorMethodMarksTheFirstVobuOfEveryProgramsEntryCell) {
    const auto oracle = test::readOracle();
    const auto lines = scanVtsi("sector");
    ASSERT_EQ(lines.size(), oracle.vobus.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const bool expected =
            std::count(oracle.chapters.begin(), oracle.chapters.end(), oracle.vobus[k]) > 0;
        EXPECT_EQ(lines[k].chapter, expected) << "GOP " << k + 1;
    }
}

TEST(VtsiSampleDisc, CellMethodFollowsItsOwnRuleOverTheProgramChains) {
    // The n-th new cell met in the VOB files (from the first PGC's first cell on) is a
    // chapter start when the n-th cell of the PGCs, counted across them in table order,
    // is the entry cell of a program.
    const auto oracle = test::readOracle();
    std::vector<bool> cellIsEntry;
    for (const auto& pgc : oracle.programChains) {
        const std::size_t base = cellIsEntry.size();
        cellIsEntry.resize(base + pgc.cells, false);
        for (unsigned entry : pgc.entryCells) cellIsEntry[base + entry - 1] = true;
    }
    const auto lines = scanVtsi("cells");
    ASSERT_EQ(lines.size(), oracle.vobus.size());
    std::size_t counter = 0;
    int chapters = 0;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (lines[k].cell) ++counter;  // the first cell starts at sector 0 on this disc
        const bool expected =
            lines[k].cell && counter <= cellIsEntry.size() && cellIsEntry[counter - 1];
        EXPECT_EQ(lines[k].chapter, expected) << "GOP " << k + 1;
        chapters += lines[k].chapter;
    }
    EXPECT_EQ(chapters, static_cast<int>(oracle.chapters.size()));
}

TEST(VtsiSampleDisc, TitlesAgreeWithLsdvd) {
    const auto lsdvd = runCommand("lsdvd -x " + shellQuoted(VELMORIN_SAMPLE_DISC) + " 2>/dev/null");
    ASSERT_EQ(lsdvd.status, 0);
    // "Title: 01, ... Chapters: 04," then "VTS: 01, TTN: 01," and "Number of Angles: 1".
    static const std::regex title(
        "Title: ([0-9]+),[^\\n]*Chapters: ([0-9]+),[^]*?VTS: ([0-9]+), TTN: ([0-9]+),[^]*?Angles: "
        "([0-9]+)");
    std::vector<std::string> expected;
    for (std::sregex_iterator it(lsdvd.out.begin(), lsdvd.out.end(), title), end; it != end; ++it) {
        char line[200];
        std::snprintf(line, sizeof line,
                      " ﾀｲﾄﾙ%02d: [VTS番号:%2d  VTS内ﾀｲﾄﾙ番号:%2d  ｱﾝｸﾞﾙ数:%2d  ﾁｬﾌﾟﾀｰ数:%2d]\n",
                      std::stoi((*it)[1]), std::stoi((*it)[3]), std::stoi((*it)[4]),
                      std::stoi((*it)[5]), std::stoi((*it)[2]));
        expected.push_back(line);
    }
    ASSERT_EQ(expected.size(), 2u);
    const auto titles =
        runCommand(shellQuoted(VELMORIN_CLI) + " titles " + shellQuoted(test::sampleVideoTs()));
    EXPECT_EQ(titles.status, 0) << titles.err;
    EXPECT_EQ(titles.out, expected[0] + expected[1]);
}

TEST(VtsiSampleDisc, ToolMessagesForBadVtsiAndTitleFolders) {
    test::TempDir dir;
    test::writeBytes(dir.file("VTS_01_0.IFO"), "DVDVIDEO-VTS");
    const auto bad = runCommand(shellQuoted(VELMORIN_CLI) + " scan --vtsi " +
                                shellQuoted(dir.file("VTS_01_0.IFO")));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "[エラー] VTSIファイルの形式が異常です.\n");
    const auto none = runCommand(shellQuoted(VELMORIN_CLI) + " titles " + shellQuoted(dir.path()));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "[エラー] VIDEO_TS.VOBが見つかりません.\n");
}

}  // namespace
}  // namespace velmorin
