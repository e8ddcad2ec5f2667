#include "timing/title_cells.h"

#include <gtest/gtest.h>

#include "common/byte_order.h"

namespace velmorin {
namespace {

constexpr std::uint32_t kOneSecond = 0x000001C0;  // 1 s at 30 frames, in BCD

struct Pgc {
    std::vector<std::uint8_t> programs;  // entry cell of each program
    int cells = 0;                       // each one second long
};

// A VTSI image: the part-of-title table in sector 1 (per title its parts, {pgc, program}),
// the program chain table in sector 2.
std::vector<std::uint8_t> makeVtsi(const std::vector<std::vector<std::pair<int, int>>>& titles,
                                   const std::vector<Pgc>& pgcs) {
    std::vector<std::uint8_t> ifo(2048 + 8 + 4 * titles.size());
    ifo[0xCB] = 1;
    ifo[0xCF] = 2;
    writeBe16(ifo.data() + 2048, static_cast<std::uint16_t>(titles.size()));
    for (std::size_t t = 0; t < titles.size(); ++t) {
        writeBe32(ifo.data() + 2048 + 8 + 4 * t, static_cast<std::uint32_t>(ifo.size() - 2048));
        for (const auto& [pgc, program] : titles[t]) {
            ifo.resize(ifo.size() + 4);
            writeBe16(ifo.data() + ifo.size() - 4, static_cast<std::uint16_t>(pgc));
            writeBe16(ifo.data() + ifo.size() - 2, static_cast<std::uint16_t>(program));
        }
    }
    writeBe32(ifo.data() + 2048 + 4, static_cast<std::uint32_t>(ifo.size() - 2048 - 1));
    ifo.resize(2048 * 2 + 8 + 8 * pgcs.size());
    writeBe16(ifo.data() + 4096, static_cast<std::uint16_t>(pgcs.size()));
    for (std::size_t i = 0; i < pgcs.size(); ++i) {
        const std::size_t g = ifo.size(), map = 0xEC, cells = map + pgcs[i].programs.size();
        writeBe32(ifo.data() + 4096 + 8 + 8 * i + 4, static_cast<std::uint32_t>(g - 4096));
        ifo.resize(g + cells + 28 * static_cast<std::size_t>(pgcs[i].cells));
        ifo[g + 2] = static_cast<std::uint8_t>(pgcs[i].programs.size());
        ifo[g + 3] = static_cast<std::uint8_t>(pgcs[i].cells);
        writeBe16(ifo.data() + g + 0xE6, static_cast<std::uint16_t>(map));
        writeBe16(ifo.data() + g + 0xE8, static_cast<std::uint16_t>(cells));
        writeBe16(ifo.data() + g + 0xEA, static_cast<std::uint16_t>(cells + 24 * pgcs[i].cells));
        std::copy(pgcs[i].programs.begin(), pgcs[i].programs.end(), ifo.begin() + long(g + map));
        for (int c = 0; c < pgcs[i].cells; ++c) {
            writeBe32(ifo.data() + g + cells + 24 * c + 4, kOneSecond);
            writeBe32(ifo.data() + g + cells + 24 * c + 8, static_cast<std::uint32_t>(100 * i + c));
        }
    }
    return ifo;
}

// The first sectors of a title's cells (100 × chain + cell) and their starts in seconds.
std::vector<std::pair<std::uint32_t, TitleTime>> cellsOf(const std::vector<std::uint8_t>& ifo,
                                                         int title) {
    std::vector<std::pair<std::uint32_t, TitleTime>> out;
    const auto cells = readTitleCells(ByteReader(ifo.data(), ifo.size()), title);
    if (cells)
        for (const TitleCell& c : cells->cells) out.emplace_back(c.firstSector, c.start / 90090);
    return out;
}

// Titles that share a program chain take their own programs' cells, timed from their own
// start; a title over two chains takes both.
TEST(TitleCells, ATitleIsItsPartsCells) {
    const auto ifo =
        makeVtsi({{{1, 1}}, {{1, 2}, {1, 3}}, {{2, 1}, {1, 3}}}, {{{1, 3, 4}, 5}, {{1}, 2}});
    using Cells = std::vector<std::pair<std::uint32_t, TitleTime>>;
    EXPECT_EQ(cellsOf(ifo, 1), (Cells{{0, 0}, {1, 1}}));
    EXPECT_EQ(cellsOf(ifo, 2), (Cells{{2, 0}, {3, 1}, {4, 2}}));
    EXPECT_EQ(cellsOf(ifo, 3), (Cells{{100, 0}, {101, 1}, {3, 2}, {4, 3}}));
    EXPECT_TRUE(cellsOf(ifo, 4).empty());
    // A part naming a program the chain does not have is a damaged table.
    auto bad = ifo;
    bad[2048 + 8 + 12 + 3] = 9;
    EXPECT_FALSE(readTitleCells(ByteReader(bad.data(), bad.size()), 1));
    EXPECT_FALSE(readTitleCells(ByteReader(ifo.data(), 4096 + 20), 2));
}

}  // namespace
}  // namespace velmorin
