// Playback on the sample disc: the working file of a stretch across the two VOB files,
// read by ffprobe, handed to a real (test) player started without a shell.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/gop_list_commands.h"
#include "app/main_commands.h"
#include "app/program_startup.h"
#include "pack_builder.h"
#include "platform/platform.h"
#include "play/playback_command.h"
#include "sample_disc.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "support/run_command.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// The sample disc's two VOB files scanned as the program has them after opening them, and
// a test player in a program folder whose name a shell would split and unquote.
class PlaybackSampleDisc : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directory(program);
        // Records its argument count and arguments, one a line, and moves the record into
        // place only when it is whole.
        const std::string quoted = test::shellQuoted(record);
        test::writeBytes(player, "#!/bin/sh\n{ echo \"$#\"; printf '%s\\n' \"$@\"; } > " + quoted +
                                     ".tmp\nmv " + quoted + ".tmp " + quoted + "\n");
        std::filesystem::permissions(player, std::filesystem::perms::owner_all);

        shell.programFolder = program;
        state->inputFiles.fileCount = 2;
        state->inputFiles.filePath[0] = vobs[0];
        state->inputFiles.filePath[1] = vobs[1];
        ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
        state->settings.playerPath = player;
    }

    // The last GOP that continues into the next file, or -1.
    int splitGop() const {
        int split = -1;
        for (int k = 0; k < state->gopTable.gopCount; ++k)
            if (state->gopTable.extent(k, state->inputFiles).continuesInNextFile()) split = k;
        return split;
    }

    // The bytes of GOPs [first, end) as the VOB files hold them.
    std::string bytesOfGops(int first, int end) const {
        std::string bytes;
        for (int k = first; k < end; ++k) {
            const GopExtent e = state->gopTable.extent(k, state->inputFiles);
            const std::string own = test::readFile(vobs[static_cast<std::size_t>(e.file)]);
            bytes += own.substr(std::size_t{e.firstSector} * 2048,
                                std::size_t{e.endSector - e.firstSector} * 2048);
            if (e.continuesInNextFile())
                bytes += test::readFile(vobs[static_cast<std::size_t>(e.file) + 1])
                             .substr(0, std::size_t{e.nextFileSectors} * 2048);
        }
        return bytes;
    }

    // What the player recorded, once it has (the player runs on its own).
    std::string recordedArguments() const {
        for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return test::readFile(record);
    }

    test::TempDir dir;
    const std::string program = dir.file("my \"velmorin\" $HOME's");
    const std::string player = program + "/player.sh";
    const std::string record = dir.file("arguments");
    const std::vector<std::string> vobs = test::sampleVobFiles();
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;
};

TEST_F(PlaybackSampleDisc, StretchAcrossFilesReachesTheTestPlayerIntact) {
    const int split = splitGop();
    ASSERT_GE(split, 2);
    state->settings.playTimeIndex = 2;  // 4 GOPs: two before the split and two from it
    list.setCaretLine(split - 2);

    const auto working =
        runPlaybackCommand({*state, shell, ui, list, buffer, systemPlatform()}, PlayMode::Cursor);
    ASSERT_EQ(working, program + "/TMP1.MPG");
    EXPECT_TRUE(test::readFile(*working) == bytesOfGops(split - 2, split + 2));

    const auto probe = test::runCommand(
        "ffprobe -v error -show_entries format=format_name:stream=codec_type -of csv=p=0 " +
        test::shellQuoted(*working));
    EXPECT_EQ(probe.status, 0);
    EXPECT_NE(probe.out.find("video"), std::string::npos);
    EXPECT_NE(probe.out.find("audio"), std::string::npos);
    EXPECT_NE(probe.out.find("mpeg"), std::string::npos);

    EXPECT_EQ(recordedArguments(), "1\n" + *working + "\n");
}

// The program of an installation (scripts/install-test.sh names it), run by a user who may
// not write its folder: the working file and the settings go to the user's own folders,
// and the settings of one run are the next run's.
TEST_F(PlaybackSampleDisc, AnInstalledProgramKeepsItsFilesInTheUsersFolders) {
    const char* installed = std::getenv("VELMORIN_INSTALLED_PROGRAM");
    if (!installed) GTEST_SKIP() << "no installed program named";
    ProgramStartup run = prepareProgramStartup(installed, "");
    ASSERT_EQ(run.files.layout, FileLayout::Installed);
    EXPECT_TRUE(std::filesystem::exists(run.files.logoFile));
    EXPECT_TRUE(std::filesystem::exists(run.files.helpFile));
    shell.programFolder = run.shell.programFolder;
    shell.workingFolder = run.shell.workingFolder;
    state->settings.playTimeIndex = 3;

    const auto working =
        runPlaybackCommand({*state, shell, ui, list, buffer, systemPlatform()}, PlayMode::Cursor);
    ASSERT_EQ(working, run.files.workingFolder + "TMP1.MPG");
    EXPECT_EQ(recordedArguments(), "1\n" + *working + "\n");
    shutDown(*state, shell, run.settingsPath);
    EXPECT_FALSE(std::filesystem::exists(*working));

    const ProgramStartup next = prepareProgramStartup(installed, "");
    EXPECT_EQ(next.state->settings.playTimeIndex, 3);
    EXPECT_EQ(next.state->settings.playerPath, player);
}

}  // namespace
}  // namespace velmorin
