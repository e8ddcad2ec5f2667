// Playback on the sample disc: the working file of a stretch across the two VOB files,
// read by ffprobe, handed to a real (test) player started without a shell.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/gop_list_commands.h"
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

TEST(PlaybackSampleDisc, StretchAcrossFilesReachesTheTestPlayerIntact) {
    test::TempDir dir;
    // A program folder whose name a shell would split and unquote.
    const std::string program = dir.file("my \"velmorin\" $HOME's");
    std::filesystem::create_directory(program);
    const std::string record = dir.file("arguments");
    const std::string player = program + "/player.sh";
    test::writeBytes(player, "#!/bin/sh\n{ echo \"$#\"; printf '%s\\n' \"$@\"; } > " +
                                 test::shellQuoted(record) +
                                 ".tmp\n"
                                 "mv " +
                                 test::shellQuoted(record) + ".tmp " + test::shellQuoted(record) +
                                 "\n");
    std::filesystem::permissions(player, std::filesystem::perms::owner_all);

    auto state = std::make_unique<AppState>();
    ShellState shell;
    shell.programFolder = program;
    test::ScriptedUi ui(shell);
    MemoryGopList list;
    SectorBuffer buffer;
    const auto vobs = test::sampleVobFiles();
    state->inputFiles.fileCount = 2;
    state->inputFiles.filePath[0] = vobs[0];
    state->inputFiles.filePath[1] = vobs[1];
    ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
    int split = -1;
    for (int k = 0; k < state->gopTable.gopCount; ++k)
        if (state->gopTable.extent(k, state->inputFiles).continuesInNextFile()) split = k;
    ASSERT_GE(split, 2);
    state->settings.playerPath = player;
    state->settings.playTimeIndex = 2;  // 4 GOPs: two before the split and two from it
    list.setCaretLine(split - 2);

    const auto working =
        runPlaybackCommand({*state, shell, ui, list, buffer, systemPlatform()}, PlayMode::Cursor);
    ASSERT_EQ(working, program + "/TMP1.MPG");

    std::string expected;
    for (int k = split - 2; k < split + 2; ++k) {
        const GopExtent e = state->gopTable.extent(k, state->inputFiles);
        const std::string own = test::readFile(vobs[static_cast<std::size_t>(e.file)]);
        expected += own.substr(std::size_t{e.firstSector} * 2048,
                               std::size_t{e.endSector - e.firstSector} * 2048);
        if (e.continuesInNextFile())
            expected += test::readFile(vobs[static_cast<std::size_t>(e.file) + 1])
                            .substr(0, std::size_t{e.nextFileSectors} * 2048);
    }
    EXPECT_TRUE(test::readFile(*working) == expected);

    const auto probe = test::runCommand(
        "ffprobe -v error -show_entries format=format_name:stream=codec_type -of csv=p=0 " +
        test::shellQuoted(*working));
    EXPECT_EQ(probe.status, 0);
    EXPECT_NE(probe.out.find("video"), std::string::npos);
    EXPECT_NE(probe.out.find("audio"), std::string::npos);
    EXPECT_NE(probe.out.find("mpeg"), std::string::npos);

    for (int i = 0; i < 100 && !std::filesystem::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(test::readFile(record), "1\n" + *working + "\n");
}

}  // namespace
}  // namespace velmorin
