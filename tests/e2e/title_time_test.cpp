// Title time on the sample disc: the map against ffprobe's packet times and libdvdread's
// cell playback times (through lsdvd), and velmorin-cli mute by title time as scripts use it:
// typed spans, EDL lists and subtitle files.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::shellQuoted;
using Groups = std::vector<std::string>;

test::CommandResult cli(const std::string& args) {
    return test::runCommand(shellQuoted(VELMORIN_CLI) + " " + args);
}

const std::string kIfo = shellQuoted(test::sampleVideoTs() + "/VTS_01_0.IFO");

// Every match of `pattern` in `text`, as its groups (the whole match first).
std::vector<Groups> matches(const std::string& text, const char* pattern) {
    std::vector<Groups> out;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), end; it != end; ++it)
        out.emplace_back(it->begin(), it->end());
    return out;
}

struct MappedGop {
    double picturesStart = 0;
    double soundStart = 1e9, soundEnd = -1e9;  // over the quarters
};

std::vector<MappedGop> timesOf(const std::string& source) {
    std::vector<MappedGop> gops;
    for (const Groups& line : matches(cli("times --json " + source).out, R"(\{"number".*)")) {
        gops.push_back({std::stod(matches(line[0], R"("pictures":\[([-0-9.]+))")[0][1])});
        for (const Groups& q : matches(line[0], R"("audio":\[([-0-9.]+),([-0-9.]+)\])")) {
            gops.back().soundStart = std::min(gops.back().soundStart, std::stod(q[1]));
            gops.back().soundEnd = std::max(gops.back().soundEnd, std::stod(q[2]));
        }
    }
    return gops;
}

TEST(TitleTime, PicturesAndSoundMatchFfprobesPacketTimes) {
    const std::string vob = shellQuoted(test::sampleVobFiles()[0]);
    const auto gops = timesOf(vob);
    std::vector<long> sectors;  // each GOP's first sector, then the end entry's
    for (const Groups& g : matches(cli("scan --json " + vob).out, R"("sector":([0-9]+))"))
        sectors.push_back(std::stol(g[1]));
    ASSERT_EQ(gops.size() + 1, sectors.size());
    // The text form: number, time code, the pictures' span and each quarter's, a line a GOP.
    const std::regex line(
        R"(\d{5} \(\d\d:\d\d:\d\d\.\d{3}\)( (-|-?\d\d:\d\d:\d\d\.\d{3}-\d\d:\d\d:\d\d\.\d{3})){5})");
    std::size_t lines = 0;
    std::istringstream text(cli("times " + vob).out);
    for (std::string l; std::getline(text, l); ++lines) EXPECT_TRUE(std::regex_match(l, line)) << l;
    EXPECT_EQ(lines, gops.size());

    const auto packets =
        matches(test::runCommand(
                    "ffprobe -v error -show_entries packet=codec_type,pts,pos -of csv=p=0 " + vob)
                    .out,
                R"((video|audio),([0-9]+),([0-9]+))");
    double origin = 1e9;  // the first picture's time stamp: title time 0
    for (const Groups& p : packets)
        if (p[1] == "video") origin = std::min(origin, std::stod(p[2]) / 90000);
    std::vector<double> firstPicture(gops.size(), 1e9);
    for (const Groups& p : packets) {
        const auto k = static_cast<std::size_t>(
            std::upper_bound(sectors.begin(), sectors.end(), std::stol(p[3]) / 2048) -
            sectors.begin() - 1);
        const double t = std::stod(p[2]) / 90000 - origin;
        if (p[1] == "video") firstPicture[k] = std::min(firstPicture[k], t);
        if (p[1] == "audio") {
            EXPECT_GE(t, gops[k].soundStart - 1e-4) << "GOP " << k + 1;
            EXPECT_LT(t, gops[k].soundEnd) << "GOP " << k + 1;
        }
    }
    for (std::size_t k = 0; k < gops.size(); ++k)
        EXPECT_NEAR(gops[k].picturesStart, firstPicture[k], 1e-4) << "GOP " << k + 1;
}

TEST(TitleTime, CellsStartWhereLibdvdreadsPlaybackTimesPutThem) {
    const std::string lsdvd =
        test::runCommand("lsdvd -x " + shellQuoted(VELMORIN_SAMPLE_DISC) + " 2>/dev/null").out;
    std::vector<int> cellGops;  // GOP numbers of cell starts, in file order
    for (const Groups& g : matches(cli("scan --json --vtsi " + kIfo).out,
                                   R"("number":([0-9]+)[^}]*"flags":([0-9]+))"))
        if (std::stoi(g[2]) & 1) cellGops.push_back(std::stoi(g[1]));
    std::size_t cell = 0;
    for (const std::string title : {"1", "2"}) {
        const auto gops = timesOf("--title " + title + " --vtsi " + kIfo);
        // This title's lines of lsdvd's report, up to the next title's.
        const auto from = lsdvd.find("Title: 0" + title);
        const int first = cellGops[cell];
        double start = 0;
        for (const Groups& length :
             matches(lsdvd.substr(from, lsdvd.find("Title: ", from + 1) - from),
                     R"(Cell: [0-9]+, Length: ([0-9]+):([0-9]+):([0-9.]+))")) {
            const auto k = static_cast<std::size_t>(cellGops[cell++] - first);
            ASSERT_LT(k, gops.size());
            EXPECT_NEAR(gops[k].picturesStart, start, 0.002 * start + 0.002) << "cell " << cell;
            start += std::stod(length[1]) * 3600 + std::stod(length[2]) * 60 + std::stod(length[3]);
        }
    }
    EXPECT_EQ(cell, cellGops.size());
}

// A copy of the sample title set that a test may write to.
class CopiedTitleSet : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : std::filesystem::directory_iterator(test::sampleVideoTs()))
            std::filesystem::copy_file(entry.path(), dir.file(entry.path().filename().string()));
        before = vobs();
    }
    std::string vobs() const {
        return test::readFile(dir.file("VTS_01_1.VOB")) + test::readFile(dir.file("VTS_01_2.VOB"));
    }
    test::CommandResult mute(const std::string& args) const {
        return cli("mute --vtsi " + shellQuoted(dir.file("VTS_01_0.IFO")) + " " + args);
    }
    // Writes `bytes` to `name` in the copy's folder; its quoted path.
    std::string file(const std::string& name, const std::string& bytes) const {
        test::writeBytes(dir.file(name), bytes);
        return shellQuoted(dir.file(name));
    }

    test::TempDir dir;
    std::string before;  // the VOB bytes as copied
};

TEST_F(CopiedTitleSet, MuteAtPlansWritesAndRefusesBeforeWriting) {
    const auto plan = mute("--title 2 --at 00:00:05.000-6 --dry-run");
    ASSERT_EQ(plan.status, 0) << plan.err;
    EXPECT_TRUE(
        std::regex_search(plan.out, std::regex(R"(^000\d\d \*\*\*\* -> [-*]*-[-*]* 00:00:0)")));
    EXPECT_EQ(mute("--at 24-26").err,
              "[エラー] 00:00:24.000-00:00:26.000 "
              "はタイトルの範囲（00:00:00.000-00:00:25.025）の外です.\n");
    EXPECT_EQ(mute("--title 3 --at 1-2").err,
              "[エラー] タイトル3がありません（このタイトルセットのタイトル数=2）.\n");
    EXPECT_EQ(mute("--at 1-2 --pattern ----").status, 2);
    EXPECT_EQ(cli("mute " + shellQuoted(dir.file("VTS_01_1.VOB")) + " --title 2 --at 1-2").status,
              2);
    EXPECT_EQ(vobs(), before);

    const auto applied = mute("--title 2 --at 4-5 --shift +1");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, plan.out);
    EXPECT_NE(vobs(), before);
    // The first planned GOP's list line shows its new pattern.
    const std::string scan = cli("scan --vtsi " + shellQuoted(dir.file("VTS_01_0.IFO"))).out;
    const auto at = scan.find(") ", scan.find(plan.out.substr(0, 5) + " ("));
    EXPECT_EQ(scan.substr(at + 2, 4), plan.out.substr(14, 4));
}

// Files as players and subtitle editors write them: byte order marks, CRLF, trailing blank
// lines, cues overlapping and out of order. Each asks for 5-6.5 and 15-16.
TEST_F(CopiedTitleSet, MuteFromEdlAndSubtitleFilesPlansAsAtDoes) {
    const std::string expected =
        mute("--at 5-6.5 --dry-run").out + mute("--at 00:15.000-16 --dry-run").out;
    ASSERT_EQ(std::count(expected.begin(), expected.end(), '\n'), 6) << expected;
    const std::string edl =
        file("cuts.edl", "# made by hand\r\n15 16 1\r\n5 6\t1\r\n5.8 6.5 1\r\n9 12 3\r\n\r\n\r\n");
    const std::string srt = file("film.srt",
                                 "\xEF\xBB\xBF"
                                 "2\r\n00:00:15,000 --> 00:00:16,000\r\nOh <i>DAMN</i>.\r\n\r\n"
                                 "1\r\n00:00:05,000 --> 00:00:06,000\r\nDamn it,\r\nyou!\r\n\r\n"
                                 "3\r\n00:00:05,800 --> 00:00:06,500\r\nGosh  darn\r\n\r\n"
                                 "4\r\n00:00:10,000 --> 00:00:11,000\r\nDamnation\r\n\r\n\r\n");
    const std::string vtt = file("film.vtt",
                                 "\xEF\xBB\xBFWEBVTT\r\n\r\nNOTE damn\r\n\r\n"
                                 "00:15.000 --> 00:16.000 align:start\r\n<v Ann>damn!\r\n\r\n"
                                 "00:05.000 --> 00:06.000\r\ndamn\r\n\r\n"
                                 "00:05.800 --> 00:06.500\r\ngosh darn\r\n\r\n");
    const std::string words = file("words.txt", "damn\r\ngosh darn\r\n\r\n");
    const auto fromEdl = mute("--edl " + edl + " --dry-run");
    EXPECT_EQ(fromEdl.out, expected);
    EXPECT_EQ(fromEdl.err, "[情報] " + dir.file("cuts.edl") +
                               " の5行目は無音化以外の動作（3）のため無視しました.\n");
    // Tone titles hold no speech: whole cues, as the words are placed only in speech.
    EXPECT_EQ(mute("--srt " + vtt + " --words " + words + " --whole-cues --dry-run").out, expected);
    // A word list saved as UTF-8 is read as such whatever --encoding says of the subtitles.
    const std::string wideWords =
        file("wide.txt", "\xEF\xBD\x84\xEF\xBD\x81\xEF\xBD\x8D\xEF\xBD\x8E\ngosh darn\n");
    EXPECT_EQ(
        mute("--srt " + srt + " --words " + wideWords + " --encoding cp1252 --whole-cues --dry-run")
            .out,
        expected);
    EXPECT_EQ(mute("--edl " + edl + " --shift -0.5 --dry-run").out,
              mute("--at 4.5-6 --dry-run").out + mute("--at 14.5-15.5 --dry-run").out);

    // Refused, nothing written: a missing file, a malformed line, undecodable text, a span
    // moved before the title, options that do not go together.
    EXPECT_EQ(mute("--edl " + shellQuoted(dir.file("none.edl"))).err,
              "[エラー] " + dir.file("none.edl") + " が開けません.\n");
    EXPECT_EQ(mute("--edl " + file("bad.edl", "1 2 1\n\n3 x 1\n")).err,
              "[エラー] " + dir.file("bad.edl") +
                  " の3行目が異常です（EDLの行は「開始秒 終了秒 動作」です）.\n");
    EXPECT_EQ(
        mute("--srt " + srt + " --words " + file("sjis.txt", "\x82\xa0\x81") + " --encoding cp932")
            .status,
        1);
    EXPECT_EQ(mute("--edl " + edl + " --shift -17").status, 1);
    // Nothing to silence is no failure: an EDL without a mute, no cue with a word.
    EXPECT_EQ(mute("--edl " + file("skips.edl", "9 12 3\n")).status, 0);
    const auto noMatch = mute("--srt " + srt + " --words " + file("zebra.txt", "zebra\n"));
    EXPECT_EQ(noMatch.status, 0);
    EXPECT_EQ(noMatch.out, "");
    EXPECT_TRUE(noMatch.err.starts_with("[情報] ")) << noMatch.err;
    EXPECT_EQ(mute("--edl " + edl + " --pattern ----").status, 2);
    EXPECT_EQ(mute("--words " + words + " --at 1-2").status, 2);
    EXPECT_EQ(mute("--srt " + srt + " --words " + words + " --encoding koi8").status, 2);
    EXPECT_EQ(vobs(), before);

    EXPECT_EQ(mute("--edl " + edl + " --whole-cues").status, 2);
    EXPECT_EQ(mute("--srt " + srt + " --words " + words + " --margin -1").status, 2);
    const auto applied = mute("--srt " + srt + " --words " + words + " --whole-cues");
    ASSERT_EQ(applied.status, 0) << applied.err;
    EXPECT_EQ(applied.out, expected);
    EXPECT_NE(vobs(), before);
}

}  // namespace
}  // namespace velmorin
