// Title time on the sample disc: the map against ffprobe's packet times and libdvdread's
// cell playback times (through lsdvd), and velmorin-cli mute --at as scripts use it.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

struct MappedGop {
    double picturesStart = 0;
    double soundStart = 1e9, soundEnd = -1e9;  // over the quarters
};

test::CommandResult cli(const std::string& args) {
    return runCommand(shellQuoted(VELMORIN_CLI) + " " + args);
}

std::vector<MappedGop> timesOf(const std::string& source) {
    const auto r = cli("times --json " + source);
    EXPECT_EQ(r.status, 0) << r.err;
    static const std::regex gop(R"("pictures":\[([-0-9.]+),[-0-9.]+\],"quarters":(.*)\]\})");
    static const std::regex audio(R"("audio":\[([-0-9.]+),([-0-9.]+)\])");
    std::vector<MappedGop> gops;
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), gop), end; it != end; ++it) {
        MappedGop g{std::stod((*it)[1])};
        const std::string quarters = (*it)[2];
        for (std::sregex_iterator q(quarters.begin(), quarters.end(), audio); q != end; ++q) {
            g.soundStart = std::min(g.soundStart, std::stod((*q)[1]));
            g.soundEnd = std::max(g.soundEnd, std::stod((*q)[2]));
        }
        gops.push_back(g);
    }
    return gops;
}

// Per GOP of a VOB file alone, its first sector; then the end entry's.
std::vector<long> gopSectors(const std::string& vob) {
    const auto r = cli("scan --json " + shellQuoted(vob));
    static const std::regex sector(R"("sector":([0-9]+))");
    std::vector<long> out;
    for (std::sregex_iterator it(r.out.begin(), r.out.end(), sector), end; it != end; ++it)
        out.push_back(std::stol((*it)[1]));
    return out;
}

TEST(TitleTime, PicturesAndSoundMatchFfprobesPacketTimes) {
    const std::string vob = test::sampleVobFiles()[0];
    const auto gops = timesOf(shellQuoted(vob));
    const auto sectors = gopSectors(vob);
    ASSERT_EQ(gops.size() + 1, sectors.size());
    const auto probe = runCommand(
        "ffprobe -v error -show_entries packet=codec_type,pts,pos -of csv=p=0 " + shellQuoted(vob));
    // Each stamped packet belongs to the GOP whose sectors hold it.
    std::vector<std::pair<std::string, std::pair<double, long>>> packets;
    std::istringstream lines(probe.out);
    double origin = 1e18;
    for (std::string line; std::getline(lines, line);) {
        std::string type, pts, pos;
        std::istringstream fields(line);
        std::getline(fields, type, ',');
        std::getline(fields, pts, ',');
        std::getline(fields, pos, ',');
        if (pos == "N/A" || pts == "N/A" || type == "data") continue;
        packets.push_back({type, {std::stod(pts) / 90000, std::stol(pos) / 2048}});
        if (type == "video") origin = std::min(origin, packets.back().second.first);
    }
    std::vector<double> firstPicture(gops.size(), 1e18);
    for (const auto& [type, at] : packets) {
        const auto k = static_cast<std::size_t>(
            std::upper_bound(sectors.begin(), sectors.end(), at.second) - sectors.begin() - 1);
        const double t = at.first - origin;
        if (type == "video") firstPicture[k] = std::min(firstPicture[k], t);
        if (type == "audio") {
            EXPECT_GE(t, gops[k].soundStart - 1e-4) << "GOP " << k + 1;
            EXPECT_LT(t, gops[k].soundEnd) << "GOP " << k + 1;
        }
    }
    for (std::size_t k = 0; k < gops.size(); ++k)
        EXPECT_NEAR(gops[k].picturesStart, firstPicture[k], 1e-4) << "GOP " << k + 1;
}

TEST(TitleTime, CellsStartWhereLibdvdreadsPlaybackTimesPutThem) {
    const auto lsdvd = runCommand("lsdvd -x " + shellQuoted(VELMORIN_SAMPLE_DISC) + " 2>/dev/null");
    const auto scan =
        cli("scan --json --vtsi " + shellQuoted(test::sampleVideoTs() + "/VTS_01_0.IFO"));
    static const std::regex cellLength(R"(Cell: [0-9]+, Length: ([0-9]+):([0-9]+):([0-9.]+))");
    static const std::regex flags(
        R"("number":([0-9]+),"file":[0-9]+,"sector":[0-9]+,"flags":([0-9]+))");
    std::vector<int> cellGops;  // GOP numbers of cell starts, in file order
    for (std::sregex_iterator it(scan.out.begin(), scan.out.end(), flags), end; it != end; ++it)
        if (std::stoi((*it)[2]) & 1) cellGops.push_back(std::stoi((*it)[1]));
    std::size_t cell = 0;
    for (int title = 1; title <= 2; ++title) {
        const auto gops = timesOf("--title " + std::to_string(title) + " --vtsi " +
                                  shellQuoted(test::sampleVideoTs() + "/VTS_01_0.IFO"));
        // This title's lines of lsdvd's report, up to the next title's.
        const auto from = lsdvd.out.find("Title: 0" + std::to_string(title));
        const std::string block =
            lsdvd.out.substr(from, lsdvd.out.find("Title: ", from + 1) - from);
        double start = 0;
        const int first = cellGops[cell];
        for (std::sregex_iterator it(block.begin(), block.end(), cellLength), end; it != end;
             ++it, ++cell) {
            const auto k = static_cast<std::size_t>(cellGops[cell] - first);
            ASSERT_LT(k, gops.size());
            EXPECT_NEAR(gops[k].picturesStart, start, 0.002 * start + 0.002) << "cell " << cell;
            start += std::stod((*it)[1]) * 3600 + std::stod((*it)[2]) * 60 + std::stod((*it)[3]);
        }
    }
    EXPECT_EQ(cell, cellGops.size());
}

struct CliMuteAt : ::testing::Test {
    test::TempDir dir;
    std::string ifo = shellQuoted(dir.file("VTS_01_0.IFO"));
    void SetUp() override {
        for (const auto& entry : std::filesystem::directory_iterator(test::sampleVideoTs()))
            std::filesystem::copy_file(entry.path(), dir.file(entry.path().filename().string()));
    }
    std::string vobs() const {
        return test::readFile(dir.file("VTS_01_1.VOB")) + test::readFile(dir.file("VTS_01_2.VOB"));
    }
};

TEST_F(CliMuteAt, PlansWritesAndRefusesBeforeWriting) {
    const std::string before = vobs();
    const auto plan = cli("mute --vtsi " + ifo + " --title 2 --at 00:00:05.000-6 --dry-run");
    ASSERT_EQ(plan.status, 0) << plan.err;
    EXPECT_TRUE(std::regex_search(plan.out, std::regex(R"(^000\d\d \*\*\*\* -> [-*]{4} 00:00:0)")));
    EXPECT_EQ(vobs(), before);
    EXPECT_EQ(cli("mute --vtsi " + ifo + " --at 24-26").err,
              "[エラー] 00:00:24.000-00:00:26.000 "
              "はタイトルの範囲（00:00:00.000-00:00:25.025）の外です.\n");
    EXPECT_EQ(cli("mute --vtsi " + ifo + " --title 3 --at 1-2").err,
              "[エラー] タイトル3がありません（このタイトルセットのタイトル数=2）.\n");
    EXPECT_EQ(cli("mute --vtsi " + ifo + " --at 1-2 --pattern ----").status, 2);
    EXPECT_EQ(cli("mute " + shellQuoted(dir.file("VTS_01_1.VOB")) + " --title 2 --at 1-2").status,
              2);
    EXPECT_EQ(vobs(), before);

    const auto applied = cli("mute --vtsi " + ifo + " --title 2 --at 4-5 --shift +1");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, plan.out);
    const auto scan = cli("scan --vtsi " + ifo);
    std::istringstream lines(plan.out);
    for (std::string line; std::getline(lines, line);)
        EXPECT_NE(scan.out.find(line.substr(0, 5) + " ("), std::string::npos);
    EXPECT_NE(scan.out.find(") " + plan.out.substr(14, 4)), std::string::npos);
}

}  // namespace
}  // namespace velmorin
