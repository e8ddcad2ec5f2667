#include "app/program_startup.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "common/path_text.h"
#include "pack_builder.h"
#include "platform/native_path.h"

namespace velmorin {
namespace {

TEST(ProgramStartup, DefaultsBesideAProgramWithNothingElse) {
    test::TempDir dir;
    const std::string program = dir.file("velmorin");
    const ProgramStartup s = prepareProgramStartup(program, "");
    EXPECT_EQ(s.shell.programFolder, dir.path() + kFolderSeparator);
    EXPECT_EQ(s.settingsPath, program + ".DAT");
    EXPECT_EQ(s.state->settings.lastSourceFolder, dir.path() + kFolderSeparator);
    EXPECT_FALSE(s.state->sourceOptions.readByVtsi);
    EXPECT_EQ(s.state->sourceOptions.chapterMethod, ChapterMethod::SectorMatch);
    EXPECT_TRUE(s.state->sourceOptions.fastRead);
    EXPECT_FALSE(s.state->sourceOptions.interleaveCheck);
    EXPECT_FALSE(s.shell.busy);
    EXPECT_EQ(s.state->gopTable.gopCount, 0);
}

TEST(ProgramStartup, SettingsFileAndInterleaveArgument) {
    test::TempDir dir;
    const std::string program = dir.file("velmorin");
    saveSettings(program + ".DAT", Settings{"/映像/", "/usr/bin/mpv", 3, true, false});
    const ProgramStartup s = prepareProgramStartup(program, " -E");
    EXPECT_EQ(s.state->settings.lastSourceFolder, "/映像/");
    EXPECT_EQ(s.state->settings.playerPath, "/usr/bin/mpv");
    EXPECT_EQ(s.state->settings.playTimeIndex, 3);
    EXPECT_TRUE(s.state->sourceOptions.interleaveCheck);

    // options.txt beside the program stands in for the command line, both ways.
    test::writeBytes(dir.file("options.txt"), "-e\n");
    EXPECT_TRUE(prepareProgramStartup(program, "").state->sourceOptions.interleaveCheck);
    test::writeBytes(dir.file("options.txt"), "-X\n");
    EXPECT_FALSE(prepareProgramStartup(program, " -E").state->sourceOptions.interleaveCheck);
}

}  // namespace
}  // namespace velmorin
