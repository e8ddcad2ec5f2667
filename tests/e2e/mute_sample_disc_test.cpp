// Muting on the real sample disc: only stream ids and markers change, restoring gives
// the original files back, and ffmpeg's demuxer and decoder agree with the result.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>

#include "app/gop_list_commands.h"
#include "mute/audio_packet.h"
#include "mute/mute_command.h"
#include "mute/mute_pattern.h"
#include "pack_builder.h"
#include "sample_disc.h"
#include "scan/pack.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "support/run_command.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

using test::readFile;

struct MuteSampleDisc : ::testing::Test {
    test::TempDir dir;
    std::vector<std::string> vobs;
    std::vector<std::string> originals;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;
    int splitGop = -1;  // the GOP that continues into the second file

    void SetUp() override {
        for (const auto& source : test::sampleVobFiles()) {
            vobs.push_back(dir.file(std::filesystem::path(source).filename().string()));
            std::filesystem::copy_file(source, vobs.back());
            originals.push_back(readFile(source));
        }
        state->inputFiles.fileCount = 2;
        state->inputFiles.filePath[0] = vobs[0];
        state->inputFiles.filePath[1] = vobs[1];
        ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
        for (int k = 0; k < state->gopTable.gopCount; ++k)
            if (state->gopTable.extent(k, state->inputFiles).continuesInNextFile()) splitGop = k;
        ASSERT_GE(splitGop, 1);
    }
    void mute(int k, MuteState pattern) {
        list.setCaretLine(k);
        ASSERT_EQ(runMuteCommand({*state, shell, ui, list, buffer}, pattern), MuteResult::Ok);
    }
    // Sectors of GOP k counted across the VOB set, as [first, end).
    std::pair<std::uint32_t, std::uint32_t> globalRange(int k) const {
        const GopExtent e = state->gopTable.extent(k, state->inputFiles);
        const auto base =
            e.file == 0 ? 0u : static_cast<std::uint32_t>(originals[0].size() / kSectorSize);
        return {base + e.firstSector, base + e.endSector + e.nextFileSectors};
    }
    std::string concatUrl() const { return test::shellQuoted("concat:" + vobs[0] + "|" + vobs[1]); }
    // Sectors (across the set) where ffprobe's demuxer finds audio, from its packet positions.
    std::set<std::uint32_t> ffprobeAudioSectors() const {
        const auto r = test::runCommand(
            "ffprobe -v error -select_streams a -show_entries packet=pos -of csv=p=0 " +
            concatUrl());
        EXPECT_EQ(r.status, 0) << r.err;
        std::set<std::uint32_t> sectors;
        std::istringstream in(r.out);
        for (std::string line; std::getline(in, line);)
            if (!line.empty() && line != "N/A")
                sectors.insert(static_cast<std::uint32_t>(std::stoull(line) / kSectorSize));
        return sectors;
    }
    // What ffmpeg's AC-3 decoder makes of the whole title: how many frames it could not
    // decode, and the time of the last frame it decoded.
    struct Decoding {
        int damagedFrames = 0;
        std::string lastFrameTime;
    };
    Decoding decode() const {
        const auto errors =
            test::runCommand("ffmpeg -nostdin -v error -i " + concatUrl() + " -map 0:a -f null -");
        EXPECT_EQ(errors.status, 0) << errors.err;
        Decoding d;
        for (auto pos = errors.err.find("error decoding the audio block"); pos != std::string::npos;
             pos = errors.err.find("error decoding the audio block", pos + 1))
            ++d.damagedFrames;
        const auto frames = test::runCommand(
            "ffprobe -v error -select_streams a -show_entries frame=pts_time "
            "-of csv=p=0 " +
            concatUrl() + " | tail -n 1");
        d.lastFrameTime = frames.out;
        return d;
    }
};

// Which bytes of `after` differ from `before`: only byte 17 of audio packets and the marker
// bytes of navigation packs may.
void expectOnlyStreamIdsAndMarkersChanged(const std::string& before, const std::string& after) {
    ASSERT_EQ(before.size(), after.size());
    for (std::size_t s = 0; s < before.size(); s += kSectorSize) {
        if (before.compare(s, kSectorSize, after, s, kSectorSize) == 0) continue;
        const SectorView sector(reinterpret_cast<const std::uint8_t*>(before.data() + s),
                                kSectorSize);
        const bool audio = classifyAudioPacket(sector) != AudioPacket::None;
        const bool nav = isNavigationPack(sector);
        for (std::size_t i = s; i < s + kSectorSize; ++i) {
            if (before[i] == after[i]) continue;
            const std::size_t offset = i - s;
            const bool allowed =
                (audio && offset == kStreamIdOffset) || (nav && offset >= 2036 && offset < 2040);
            ASSERT_TRUE(allowed) << "sector " << s / kSectorSize << " byte " << offset;
        }
    }
}

TEST_F(MuteSampleDisc, EveryPatternChangesOnlyStreamIdsAndMarkers) {
    for (const int k : {0, splitGop, state->gopTable.gopCount - 1}) {
        for (MuteState m : {1, 2, 3, 4, 5, 6, 7, 0, 4}) {
            mute(k, m);
            expectOnlyStreamIdsAndMarkersChanged(originals[0], readFile(vobs[0]));
            expectOnlyStreamIdsAndMarkersChanged(originals[1], readFile(vobs[1]));
        }
    }
    EXPECT_NE(readFile(vobs[1]), originals[1]);  // the split GOP's continuation was silenced
}

TEST_F(MuteSampleDisc, SilencingThenRestoringEveryGopGivesBackTheOriginalFiles) {
    for (int k = 0; k < state->gopTable.gopCount; ++k) mute(k, 4);
    EXPECT_NE(readFile(vobs[0]), originals[0]);
    for (int k = 0; k < state->gopTable.gopCount; ++k) mute(k, 0);
    EXPECT_EQ(readFile(vobs[0]), originals[0]);
    EXPECT_EQ(readFile(vobs[1]), originals[1]);
}

TEST_F(MuteSampleDisc, FfmpegFindsNoAudioInASilencedGopAndAllAudioAroundIt) {
    const Decoding originalDecoding = decode();
    ASSERT_EQ(originalDecoding.damagedFrames, 0);
    ASSERT_FALSE(originalDecoding.lastFrameTime.empty());
    const std::set<std::uint32_t> before = ffprobeAudioSectors();
    const auto range = globalRange(splitGop);
    const auto inGop = [&](std::uint32_t s) { return s >= range.first && s < range.second; };
    ASSERT_TRUE(std::any_of(before.begin(), before.end(), inGop));

    mute(splitGop, 4);
    const std::set<std::uint32_t> after = ffprobeAudioSectors();
    EXPECT_FALSE(std::any_of(after.begin(), after.end(), inGop));
    std::set<std::uint32_t> outside;
    std::copy_if(before.begin(), before.end(), std::inserter(outside, outside.end()),
                 [&](auto s) { return !inGop(s); });
    EXPECT_EQ(after, outside);

    // The silence cuts AC-3 frames that straddle its two edges: a player's decoder meets
    // at most one damaged frame at each, then decodes the title to its end.
    const Decoding decoding = decode();
    EXPECT_LE(decoding.damagedFrames, 2);
    EXPECT_EQ(decoding.lastFrameTime, originalDecoding.lastFrameTime);
}

TEST_F(MuteSampleDisc, FirstQuarterOfTheAudioPacketsIsGone) {
    const int k = splitGop - 2;
    const auto [first, end] = globalRange(k);
    std::vector<std::uint32_t> audio;  // the GOP's audio sectors, from our own reading
    const std::string all = originals[0] + originals[1];
    for (std::uint32_t s = first; s < end; ++s) {
        const SectorView sector(
            reinterpret_cast<const std::uint8_t*>(all.data() + std::size_t{s} * kSectorSize),
            kSectorSize);
        if (classifyAudioPacket(sector) != AudioPacket::None) audio.push_back(s);
    }
    const std::set<std::uint32_t> before = ffprobeAudioSectors();
    ASSERT_GE(audio.size(), 4u);
    for (auto s : audio) ASSERT_TRUE(before.count(s)) << s;

    mute(k, 1);
    const std::set<std::uint32_t> after = ffprobeAudioSectors();
    const auto b = static_cast<int>(audio.size());
    const int gone = (b + 2) / 4;
    for (int i = 0; i < b; ++i)
        EXPECT_EQ(after.count(audio[static_cast<std::size_t>(i)]), i < gone ? 0u : 1u)
            << "packet " << i;
    EXPECT_EQ(before.size() - after.size(), static_cast<std::size_t>(gone));
}

}  // namespace
}  // namespace velmorin
