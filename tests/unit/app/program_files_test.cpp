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
    std::string program = root.file("velmorin");
    InstalledFolders folders{root.file("config") + kFolderSeparator,
                             root.file("cache") + kFolderSeparator,
                             root.file("share") + kFolderSeparator};
};

TEST(ProgramFiles, AWritableProgramFolderKeepsEverythingBesideTheProgram) {
    Installation i;
    const std::string here = i.root.path() + kFolderSeparator;
    const ProgramFiles f = programFilesFor(i.program, true, i.folders);
    EXPECT_EQ(f.layout, FileLayout::Portable);
    EXPECT_EQ(f.settingsFile, settingsPathFor(i.program));
    EXPECT_EQ(f.optionsFile, here + "options.txt");
    EXPECT_EQ(f.workingFolder, here);
    EXPECT_EQ(f.logoFile, here + "LOGO.BMP");
    EXPECT_EQ(f.helpFile, here + "README.HTM");
    // With no user folder to go to, a read-only folder stays portable too.
    EXPECT_EQ(programFilesFor(i.program, false, {}).layout, FileLayout::Portable);
    EXPECT_EQ(locateProgramFiles(i.program).layout, FileLayout::Portable);
}

TEST(ProgramFiles, AReadOnlyProgramFolderMovesTheUsersFilesToTheirOwnFolders) {
    Installation i;
    const ProgramFiles f = programFilesFor(i.program, false, i.folders);
    EXPECT_EQ(f.layout, FileLayout::Installed);
    EXPECT_STREQ(layoutName(f.layout), "installed");
    EXPECT_EQ(f.settingsFile, i.folders.settings + "velmorin.DAT");
    EXPECT_EQ(f.optionsFile, i.folders.settings + "options.txt");
    EXPECT_EQ(f.workingFolder, i.folders.cache);
    EXPECT_EQ(f.logoFile, i.folders.data + "LOGO.BMP");
    EXPECT_EQ(f.helpFile, i.folders.data + "README.HTM");

    // A run: options.txt and the settings come from the settings folder once it exists,
    // which the first exit creates, as the first playback creates the cache folder.
    ProgramStartup first = prepareProgramStartup(f, " -E");
    EXPECT_TRUE(first.state->sourceOptions.interleaveCheck);
    first.state->settings.playTimeIndex = 4;
    const auto working = clearWorkingFiles(workingFolderOf(first.shell), true);
    EXPECT_EQ(working.first, i.folders.cache + "TMP1.MPG");
    EXPECT_TRUE(fs::is_directory(nativePath(i.folders.cache)));
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

#if !defined(_WIN32)
TEST(ProgramFiles, TheUsersFoldersFollowXdgWithTheHomeFoldersBehind) {
    const std::string config = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
    const std::string cache = std::getenv("XDG_CACHE_HOME") ? std::getenv("XDG_CACHE_HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "/x/conf", 1);
    ::setenv("XDG_CACHE_HOME", "relative/is/ignored", 1);
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/u", 1);
    EXPECT_EQ(userSettingsFolder(), "/x/conf/velmorin/");
    EXPECT_EQ(userCacheFolder(), "/home/u/.cache/velmorin/");
    EXPECT_EQ(installedDataFolder("/opt/v/bin/"), "/opt/v/share/velmorin/");
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
    if (config.empty()) ::unsetenv("XDG_CONFIG_HOME");
    if (cache.empty()) ::unsetenv("XDG_CACHE_HOME");
}

#endif

TEST(ProgramFiles, AFolderTheUserMayNotWriteIsNotWritable) {
    test::TempDir dir;
    EXPECT_TRUE(folderIsWritable(dir.path()));
    const test::ReadOnlyFile readOnly(dir.path());
    if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
    EXPECT_FALSE(folderIsWritable(dir.path()));
    EXPECT_EQ(locateProgramFiles(dir.file("velmorin")).layout, FileLayout::Installed);
}

}  // namespace
}  // namespace velmorin
