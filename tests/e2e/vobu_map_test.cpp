// The scanner's GOP table on a real disc against libdvdread's reading of the VTSI file, and
// the presentation map read from the same disc both ways the map reads files.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>

#include "dvd/ifo_file.h"
#include "platform/binary_file.h"
#include "platform/sector_buffer.h"
#include "sample_disc.h"
#include "scan/sector_reader.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "support/run_command.h"
#include "timing/audio_capture.h"
#include "timing/presentation_map.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// The sample disc's VOB files, scanned.
struct ScannedSample {
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    SectorBuffer buffer;
    bool clean = false;  // scanned without a message

    explicit ScannedSample(bool fast) {
        ShellState shell;
        test::ScriptedUi ui(shell);
        MemoryGopList list;
        const auto vobs = test::sampleVobFiles();
        state->inputFiles.fileCount = static_cast<int>(vobs.size());
        std::copy(vobs.begin(), vobs.end(), state->inputFiles.filePath.begin());
        state->sourceOptions.fastRead = fast;
        clean =
            VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run() && ui.messages.empty();
    }
};

struct SampleDiscScan : ::testing::TestWithParam<bool> {};

TEST_P(SampleDiscScan, GopTableEqualsTheVobuAddressMap) {
    const test::OracleReading oracle = test::readOracle();
    ASSERT_GT(oracle.vobus.size(), 20u);
    ASSERT_GT(oracle.cells.size(), 2u);

    const ScannedSample sample(GetParam());
    ASSERT_TRUE(sample.clean);
    const auto& state = sample.state;
    const auto vobs = test::sampleVobFiles();

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

// Mapped into memory or read into the buffer: the same map, in file order and in the
// program chain's order, which goes back across the file split.
TEST(SampleDiscMap, MappedAndReadFilesGiveTheSameMap) {
    ScannedSample sample(true);
    ASSERT_TRUE(sample.clean);
    IfoBuffer ifo;
    ASSERT_TRUE(ifo.load(test::sampleVideoTs() + "/VTS_01_0.IFO"));
    const auto cells = readTitleCells(ifo.reader(), 2);
    ASSERT_TRUE(cells && cells->cells.size() > 1);

    for (const auto* titleCells :
         {static_cast<const std::vector<TitleCell>*>(nullptr), &cells->cells}) {
        const MapSource source{sample.state->gopTable, sample.state->inputFiles, titleCells};
        PresentationMap maps[2];
        for (const auto way : {SectorReader::Way::Reading, SectorReader::Way::Mapping}) {
            SectorReader::forceWayForTesting(way);
            EXPECT_EQ(
                buildPresentationMap(source, sample.buffer, maps[way == SectorReader::Way::Mapping])
                    .result,
                MapResult::Ok);
        }
        SectorReader::forceWayForTesting(std::nullopt);
        EXPECT_GT(std::count_if(maps[0].gops.begin(), maps[0].gops.end(),
                                [](const GopPresentation& g) { return g.inTitle; }),
                  10);
        EXPECT_TRUE(maps[0] == maps[1]);
    }
}

// The AC-3 captured over two seconds of the first title, from its first whole frame on,
// decodes to whole frames from the first chunk's time to just past the window, and that
// time is one ffprobe gives the stream's packets.
TEST(SampleDiscMap, CapturedSoundDecodesOverItsWindow) {
    ScannedSample sample(true);
    ASSERT_TRUE(sample.clean);
    const TitleSpan window{3 * kTicksPerSecond, 5 * kTicksPerSecond};
    AudioCapture capture(std::vector<TitleSpan>{window});
    PresentationMap map;
    const MapSource source{sample.state->gopTable, sample.state->inputFiles, nullptr, &capture};
    ASSERT_EQ(buildPresentationMap(source, sample.buffer, map).result, MapResult::Ok);
    const TitleAudio audio = capture.stream();
    ASSERT_TRUE(audio.coding == AudioCoding::Ac3 && audio.chunks.size() > 10);
    const TitleTime first = audio.chunks.front().time;
    EXPECT_TRUE(first <= window.start && first > window.start - AudioCapture::kLeadIn);

    std::string bytes;
    for (const AudioChunk& chunk : audio.chunks)
        bytes.append(chunk.bytes.begin(), chunk.bytes.end());
    test::TempDir dir;
    test::writeBytes(dir.file("window.ac3"), bytes.substr(audio.chunks.front().firstAccessUnit));
    const auto samples = static_cast<TitleTime>(
        test::runCommand("ffmpeg -nostdin -v error -f ac3 -i " +
                         test::shellQuoted(dir.file("window.ac3")) + " -f s16le -ac 1 -")
            .out.size() /
        2);
    EXPECT_EQ(samples % 1536, 0);
    const TitleTime end = first + samples * kTicksPerSecond / 48000;
    EXPECT_TRUE(end >= window.end && end <= window.end + kTicksPerSecond / 4) << end;

    const std::string probe =
        test::runCommand("ffprobe -v error -show_entries packet=codec_type,pts -of csv=p=0 " +
                         test::shellQuoted(test::sampleVobFiles()[0]))
            .out;
    const std::regex line(R"((video|audio),([0-9]+))");
    TitleTime origin = 1LL << 40;  // the first picture's time stamp: title time 0
    std::vector<TitleTime> sound;
    for (std::sregex_iterator it(probe.begin(), probe.end(), line), stop; it != stop; ++it) {
        const TitleTime pts = std::stoll((*it)[2]);
        if ((*it)[1] == "video")
            origin = std::min(origin, pts);
        else
            sound.push_back(pts);
    }
    EXPECT_TRUE(std::any_of(sound.begin(), sound.end(),
                            [&](TitleTime pts) { return std::abs(pts - origin - first) <= 90; }));
}

}  // namespace
}  // namespace velmorin
