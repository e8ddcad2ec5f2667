#include "app/program_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/main_commands.h"
#include "app/program_startup.h"
#include "app/settings_file.h"
#include "pack_builder.h"
#include "platform/native_path.h"
#include "platform/user_folders.h"
#include "play/playback_command.h"
#include "read_only_file.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

// A program folder with the user's folders of an installation beside it, none created.
struct Installation {
    test::TempDir root;
    std::string here = root.path() + kFolderSeparator;
    std::string program = here + "velmorin";
    InstalledFolders folders{here + "config" + kFolderSeparator, here + "cache" + kFolderSeparator,
                             here + "share" + kFolderSeparator, here + "home"};
};

TEST(ProgramFiles, TheProgramFoldersWritabilityChoosesTheLayout) {
    Installation i;
    const std::string& h = i.here;
    const ProgramFiles portable{FileLayout::Portable, h, h + "velmorin.DAT",
                                h + "options.txt",    h, h + "LOGO.BMP",
                                h + "README.HTM",     h};
    EXPECT_EQ(programFilesFor(i.program, true, i.folders), portable);
    EXPECT_EQ(locateProgramFiles(i.program), portable);
    // A writable folder with an installation's data folder beside it (root's /usr/bin,
    // ~/.local/bin) is an installation on Linux; on Windows the data are the program's own.
    ASSERT_TRUE(createFolders(test::pathIn(h, "bin")) &&
                createFolders(test::pathIn(h, "share/velmorin")));
#if defined(_WIN32)
    constexpr FileLayout kBesideData = FileLayout::Portable;
#else
    constexpr FileLayout kBesideData = FileLayout::Installed;
#endif
    EXPECT_EQ(locateProgramFiles(test::pathIn(h, "bin/velmorin")).layout, kBesideData);
    // With no user folder to go to, a read-only folder stays portable too.
    EXPECT_EQ(programFilesFor(i.program, false, {}), portable);

    const auto& [config, cache, data, documents] = i.folders;
    EXPECT_EQ(programFilesFor(i.program, false, i.folders),
              (ProgramFiles{FileLayout::Installed, h, config + "velmorin.DAT",
                            config + "options.txt", cache, data + "LOGO.BMP", data + "README.HTM",
                            documents + kFolderSeparator}));
}

TEST(ProgramFiles, AnInstalledRunKeepsTheUsersFilesInTheirOwnFolders) {
    Installation i;
    const ProgramFiles f = programFilesFor(i.program, false, i.folders);
    // The first exit makes the settings folder, the first playback the cache folder.
    ProgramStartup first = prepareProgramStartup(f, " -E");
    EXPECT_TRUE(first.state->sourceOptions.interleaveCheck);
    // The source dialog starts in the user's own folder, not in the program's.
    EXPECT_EQ(first.state->settings.lastSourceFolder, f.startFolder);
    first.state->settings.playTimeIndex = 4;
    const auto working = clearWorkingFiles(workingFolderOf(first.shell), true);
    EXPECT_EQ(working.first, i.folders.cache + "TMP1.MPG");
    test::writeBytes(working.first, "stretch");
    shutDown(*first.state, first.shell, first.settingsPath);
    EXPECT_EQ(fs::file_size(nativePath(f.settingsFile)), kSettingsFileSize);
    EXPECT_FALSE(fs::exists(nativePath(working.first)));
    EXPECT_FALSE(fs::exists(nativePath(settingsPathFor(i.program))));

    test::writeBytes(f.optionsFile, "-x\n");
    const ProgramStartup second = prepareProgramStartup(f, " -E");
    EXPECT_EQ(second.state->settings.playTimeIndex, 4);
    EXPECT_FALSE(second.state->sourceOptions.interleaveCheck);
}

TEST(ProgramFiles, AnEndingSessionCleansUpAsTheExitDoesWithoutAsking) {
    Installation i;
    ProgramStartup run = prepareProgramStartup(programFilesFor(i.program, false, i.folders), "");
    run.state->settings.playTimeIndex = 4;
    const std::string working = clearWorkingFiles(workingFolderOf(run.shell), true).first;
    test::writeBytes(working, "stretch");
    run.shell.busy = true;
    EXPECT_FALSE(maySessionEnd(run.shell));
    endSession(false, *run.state, run.shell, run.settingsPath);  // the session goes on
    EXPECT_TRUE(fs::exists(nativePath(working)));
    endSession(true, *run.state, run.shell, run.settingsPath);
    EXPECT_FALSE(fs::exists(nativePath(working)));
    EXPECT_EQ(loadSettings(run.settingsPath, {}).playTimeIndex, 4);
}

TEST(ProgramFiles, AFolderTheUserMayNotWriteIsNotWritable) {
    test::TempDir dir;
    EXPECT_TRUE(folderIsWritable(dir.path()));
    const test::ReadOnlyFile readOnly(dir.path());
    if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
    EXPECT_FALSE(folderIsWritable(dir.path()));
    EXPECT_EQ(locateProgramFiles(dir.file("velmorin")).layout, FileLayout::Installed);
}

#if !defined(_WIN32)
TEST(ProgramFiles, TheUsersFoldersFollowXdgWithTheHomeFoldersBehind) {
    // Relative XDG folders are to be ignored.
    const char* saved[] = {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "HOME"};
    std::string values[3];
    for (int k = 0; k < 3; ++k) values[k] = std::getenv(saved[k]) ? std::getenv(saved[k]) : "";
    ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    ::setenv("XDG_CACHE_HOME", "relative", 1);
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(userSettingsFolder(), "/x/conf/velmorin/");
    EXPECT_EQ(userCacheFolder(), "/home/u/.cache/velmorin/");
    EXPECT_EQ(installedDataFolder("/opt/v/bin/"), "/opt/v/share/velmorin/");
    for (int k = 0; k < 3; ++k) ::setenv(saved[k], values[k].c_str(), 1);
}
#endif

}  // namespace
}  // namespace velmorin
