#include "app/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings_dialog_rules.h"
#include "app/startup_arguments.h"
#include "common/little_endian.h"
#include "pack_builder.h"
#include "platform/path_field.h"
#include "scripted_ui.h"

namespace velmorin {
namespace {

const Settings kDefaults{"/opt/velmorin/", "/usr/bin/xdg-open", 10, true, true};

TEST(SettingsFile, PathOfTheProgram) {
    EXPECT_EQ(settingsPathFor("D:\\Tools\\prog.exe"), "D:\\Tools\\prog.DAT");
    EXPECT_EQ(settingsPathFor("/usr/local/bin/velmorin"), "/usr/local/bin/velmorin.DAT");
    EXPECT_EQ(settingsPathFor(".EXE"), ".EXE.DAT");  // not longer than four characters
}

TEST(SettingsFile, AFailedSaveKeepsTheOldFile) {
    test::TempDir dir;
    const std::string path = dir.file("velmorin.DAT");
    saveSettings(path, Settings{"/old/", "/usr/bin/mpv", 3, true, true});
    const std::string before = test::readFile(path);
    std::filesystem::create_directory(path + ".saving");  // the temporary file cannot be made
    saveSettings(path, Settings{"/new/", "/usr/bin/vlc", 4, false, false});
    EXPECT_EQ(test::readFile(path), before);
    std::filesystem::remove(path + ".saving");
    saveSettings(path, Settings{"/new/", "/usr/bin/vlc", 4, false, false});
    EXPECT_EQ(loadSettings(path, kDefaults).playerPath, "/usr/bin/vlc");
    EXPECT_FALSE(std::filesystem::exists(path + ".saving"));
}

TEST(SettingsFile, LayoutAndRoundTrip) {
    test::TempDir dir;
    const std::string path = dir.file("velmorin.DAT");
    const Settings s{"/映像/dvd", "/usr/bin/mpv", 21, false, true};
    saveSettings(path, s);
    ASSERT_EQ(std::filesystem::file_size(path), 555u);
    const SettingsImage image = encodeSettings(s);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 15), "VELMORIN0100HST");
    EXPECT_EQ(image[23], '/');
    EXPECT_EQ(std::string(image.begin() + 283, image.begin() + 296),
              std::string("/usr/bin/mpv\0", 13));
    EXPECT_EQ(readLe32(image.data() + 543), 21u);
    EXPECT_EQ(readLe32(image.data() + 547), 0u);
    EXPECT_EQ(readLe32(image.data() + 551), 1u);

    const Settings loaded = loadSettings(path, kDefaults);
    EXPECT_EQ(loaded.lastSourceFolder, "/映像/dvd");
    EXPECT_EQ(loaded.playerPath, "/usr/bin/mpv");
    EXPECT_EQ(loaded.playTimeIndex, 21);
    EXPECT_FALSE(loaded.mpgWorkingFiles);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(SettingsFile, DamagedFilesAreDeletedKeepingWhatWasReadWhole) {
    test::TempDir dir;
    const std::string path = dir.file("velmorin.DAT");
    const Settings stored{"/stored", "/stored/player", 3, false, false};
    const SettingsImage image = encodeSettings(stored);

    // Cut inside playerPath: the folder is the stored one, the rest default.
    test::writeBytes(path, std::string(image.begin(), image.begin() + 290));
    Settings s = loadSettings(path, kDefaults);
    EXPECT_EQ(s.lastSourceFolder, "/stored");
    EXPECT_EQ(s.playTimeIndex, 10);
    EXPECT_TRUE(s.mpgWorkingFiles);
    EXPECT_FALSE(std::filesystem::exists(path));

    std::string other(image.begin(), image.end());
    other.replace(8, 4, "0200");
    test::writeBytes(path, other);
    s = loadSettings(path, kDefaults);
    EXPECT_EQ(s.playerPath, kDefaults.playerPath);
    EXPECT_FALSE(std::filesystem::exists(path));

    for (const std::uint32_t index : {22u, 0xFFFFFFFFu}) {
        std::string bad(image.begin(), image.end());
        writeLe32(reinterpret_cast<std::uint8_t*>(bad.data()) + 543, index);
        test::writeBytes(path, bad);
        EXPECT_EQ(loadSettings(path, kDefaults).playTimeIndex, 10);
        EXPECT_TRUE(std::filesystem::exists(path));
    }
    EXPECT_EQ(loadSettings(dir.file("missing.DAT"), kDefaults).playerPath, kDefaults.playerPath);
}

TEST(SettingsDialog, APlayerPathMustExistAndFitTheFile) {
    test::TempDir dir;
    ShellState shell;
    test::ScriptedUi ui(shell);
    const std::string unstorable = dir.file("\xF0\x9F\x8E\xAC");  // not in Shift-JIS
    test::writeBytes(unstorable, "");
    EXPECT_FALSE(acceptPlayerPath(dir.file("missing"), ui));
    EXPECT_FALSE(acceptPlayerPath(unstorable, ui));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{{"error", kPlayerMissing},
                                            {"error", pathNotStorableMessage(unstorable)}}));
}

TEST(StartupArguments, CommandLineOrTheFirstLineOfOptionsTxt) {
    EXPECT_EQ(argumentTextOf("\"C:\\Program Files\\v.exe\" -E x"), " -E x");
    EXPECT_EQ(argumentTextOf("v.exe\t-e"), "\t-e");
    EXPECT_TRUE(parseStartupArguments(" a  -e\tb", std::nullopt).interleaveCheck);
    EXPECT_EQ(parseStartupArguments(" a  -e\tb", std::nullopt).words,
              (std::vector<std::string>{"a", "-e", "b"}));

    std::string many;
    for (int i = 0; i < 16; ++i) many += "w ";
    EXPECT_FALSE(
        parseStartupArguments(many + "-E", std::nullopt).interleaveCheck);  // the 17th word

    test::TempDir dir;
    EXPECT_EQ(readOptionsLine(dir.path()), std::nullopt);
    test::writeBytes(dir.file("options.txt"), "");
    EXPECT_EQ(readOptionsLine(dir.path()), std::nullopt);
    test::writeBytes(dir.file("options.txt"), "-e\nsecond line -E\n");
    EXPECT_TRUE(parseStartupArguments("", readOptionsLine(dir.path())).interleaveCheck);
    test::writeBytes(dir.file("options.txt"), "\n");
    EXPECT_FALSE(parseStartupArguments(" -E", readOptionsLine(dir.path())).interleaveCheck);
    test::writeBytes(dir.file("options.txt"), "x -E");  // no line feed: the last character goes
    EXPECT_EQ(readOptionsLine(dir.path()), "x -");
}

}  // namespace
}  // namespace velmorin
