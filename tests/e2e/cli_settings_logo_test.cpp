// velmorin-cli settings and logo on good files: what the desktop program would start with,
// and the start-up picture it would show, checked against ffmpeg's reading of the BMP.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/settings_file.h"
#include "pack_builder.h"
#include "platform/platform.h"
#include "support/bounded_run.h"
#include "support/logo_bytes.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

std::string toolFolder() {
    return fs::path(VELMORIN_CLI).parent_path().string() + "/";
}

TEST(CliSettings, PrintsTheFileSettings) {
    test::TempDir dir;
    Settings s;
    s.lastSourceFolder = "/media/ディスク/VIDEO_TS/";
    s.playerPath = "/usr/bin/mpv";
    s.playTimeIndex = 16;
    s.mpgWorkingFiles = false;
    s.previewEnabled = true;
    const std::string file = dir.file("velmorin.DAT");
    saveSettings(file, s);
    const std::string bytes = test::readFile(file);
    ASSERT_EQ(bytes.size(), kSettingsFileSize);

    const auto text = test::runBounded(VELMORIN_CLI, {"settings", file});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(text.out,
              "lastSourceFolder: /media/ディスク/VIDEO_TS/\n"
              "playerPath: /usr/bin/mpv\n"
              "playTimeIndex: 16 (30 s)\n"
              "mpgWorkingFiles: off\n"
              "previewEnabled: on\n");

    const auto json = test::runBounded(VELMORIN_CLI, {"settings", "--json", file});
    EXPECT_EQ(json.status, 0) << json.err;
    EXPECT_EQ(json.out,
              "{\"lastSourceFolder\":\"/media/ディスク/VIDEO_TS/\",\"playerPath\":\"/usr/bin/mpv\","
              "\"playTimeIndex\":16,\"playTime\":\"30\",\"mpgWorkingFiles\":false,"
              "\"previewEnabled\":true}\n");
    EXPECT_EQ(test::readFile(file), bytes);
}

TEST(CliSettings, DefaultsNameTheToolFolderAndAShortFileKeepsWhatWasRead) {
    test::TempDir dir;
    const std::string defaults =
        "lastSourceFolder: " + toolFolder() + "\nplayerPath: " + defaultPlayerPath() +
        "\nplayTimeIndex: 10 (10 s)\nmpgWorkingFiles: on\npreviewEnabled: on\n";
    const auto missing = test::runBounded(VELMORIN_CLI, {"settings", dir.file("none.DAT")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, defaults);
    EXPECT_EQ(missing.err, "velmorin-cli: " + dir.file("none.DAT") +
                               ": no such file; the program would start with the settings above\n");

    // Cut after the last source folder: the folder from the file, the rest defaults. The
    // program would delete such a file; the tool leaves it.
    Settings s;
    s.lastSourceFolder = "/media/dvd/";
    s.playerPath = "/usr/bin/vlc";
    s.playTimeIndex = 0;
    const std::string file = dir.file("short.DAT");
    saveSettings(file, s);
    const std::string cut = test::readFile(file).substr(0, 283);
    test::writeBytes(file, cut);
    const auto shortFile = test::runBounded(VELMORIN_CLI, {"settings", file});
    EXPECT_EQ(shortFile.status, 1);
    EXPECT_EQ(shortFile.out,
              "lastSourceFolder: /media/dvd/\nplayerPath: " + defaultPlayerPath() +
                  "\nplayTimeIndex: 10 (10 s)\nmpgWorkingFiles: on\npreviewEnabled: on\n");
    EXPECT_EQ(shortFile.err,
              "velmorin-cli: " + file +
                  ": not a complete settings file (283 of 555 bytes); the program would start "
                  "with the settings above\n");
    EXPECT_EQ(test::readFile(file), cut);
}

TEST(CliSettings, WithoutAFileReportsThePortableLayoutOfAWritableFolder) {
    const std::string f = toolFolder();
    const auto text = test::runBounded(VELMORIN_CLI, {"settings"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, "layout: portable\nsettingsFile: " + f + "velmorin.DAT\noptionsFile: " + f +
                            "options.txt\nworkingFolder: " + f + "\nlogoFile: " + f +
                            "LOGO.BMP\nhelpFile: " + f + "README.HTM\n");
    const auto json = test::runBounded(VELMORIN_CLI, {"settings", "--json"});
    EXPECT_EQ(json.out.rfind("{\"layout\":\"portable\",\"settingsFile\":\"" + f, 0), 0u);
}

TEST(CliSettings, WrongUsageAndHelp) {
    EXPECT_EQ(test::runBounded(VELMORIN_CLI, {"settings", "a", "b"}).status, 2);
    EXPECT_EQ(test::runBounded(VELMORIN_CLI, {"settings", "--bogus", "a"}).status, 2);
    const auto help = test::runBounded(VELMORIN_CLI, {"settings", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: velmorin-cli settings [FILE] [--json]\n", 0), 0u);
    const auto tool = test::runBounded(VELMORIN_CLI, {"--help"});
    EXPECT_NE(tool.out.find("  settings "), std::string::npos);
    EXPECT_NE(tool.out.find("  logo "), std::string::npos);
}

TEST(CliLogo, WritesThePictureAsFfmpegReadsIt) {
    test::TempDir dir;
    const std::string logo = dir.file("LOGO.BMP"), out = dir.file("picture.bmp");
    const std::string bytes = test::logoBitmapBytes();
    test::writeBytes(logo, bytes);
    const auto r = test::runBounded(VELMORIN_CLI, {"logo", logo, "-o", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readFile(logo), bytes);

    const std::string written = test::readFile(out);
    ASSERT_EQ(written.size(), 54u + 320 * 200 * 3);
    EXPECT_EQ(written.substr(0, 2), "BM");
    EXPECT_EQ(written[28], 24);

    // ffmpeg's decode, top row first, red-green-blue.
    const auto decoded = test::runCommand("ffmpeg -v error -i " + test::shellQuoted(out) +
                                          " -f rawvideo -pix_fmt rgb24 -");
    ASSERT_EQ(decoded.status, 0) << decoded.err;
    ASSERT_EQ(decoded.out.size(), 320u * 200 * 3);
    int wrong = 0;
    for (int row = 0; row < 200 && wrong < 5; ++row)
        for (int x = 0; x < 320; ++x) {
            const std::uint32_t c = test::logoColour(test::logoIndex(x, 199 - row));
            const auto* p =
                reinterpret_cast<const unsigned char*>(decoded.out.data()) + (row * 320 + x) * 3;
            if (p[0] != (c >> 16 & 0xFF) || p[1] != (c >> 8 & 0xFF) || p[2] != (c & 0xFF)) {
                ADD_FAILURE() << "pixel " << x << "," << row;
                if (++wrong == 5) break;
            }
        }
}

TEST(CliLogo, AMissingFileGivesTheBlankPictureAndStatus1) {
    test::TempDir dir;
    const auto r =
        test::runBounded(VELMORIN_CLI, {"logo", dir.file("LOGO.BMP"), "-o", dir.file("blank.bmp")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "velmorin-cli: " + dir.file("LOGO.BMP") +
                         ": missing or not a usable bitmap; the start-up picture is blank\n");
    const std::string written = test::readFile(dir.file("blank.bmp"));
    ASSERT_EQ(written.size(), 54u + 320 * 200 * 3);
    EXPECT_EQ(written.substr(54), std::string(320 * 200 * 3, '\0'));

    EXPECT_EQ(test::runBounded(VELMORIN_CLI, {"logo", dir.file("LOGO.BMP")}).status, 2);
    EXPECT_EQ(test::runBounded(VELMORIN_CLI, {"logo", "-o", dir.file("x.bmp")}).status, 2);
    EXPECT_EQ(test::runBounded(VELMORIN_CLI, {"logo", "a", "b", "-o", dir.file("x.bmp")}).status,
              2);
    const auto help = test::runBounded(VELMORIN_CLI, {"logo", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: velmorin-cli logo FILE -o OUT.bmp\n", 0), 0u);
}

}  // namespace
}  // namespace velmorin
