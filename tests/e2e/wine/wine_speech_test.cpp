// Word placement of velmorin-cli.exe under Wine against the Linux build's, on the spoken
// titles of tests/e2e/speech: the same words at the same times, byte for byte. The Windows
// tool finds the recogniser's model where the zip puts it, beside the program; it is the
// same en-us model the Linux tool reads from the pocketsphinx-en-us package.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "pack_builder.h"
#include "support/bounded_run.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

struct WineSpeechAgainstLinux : ::testing::Test {
    static void SetUpTestSuite() {
        // The session that the "Wine" test fixture started; both tools look for the model
        // in their own places.
        setenv("WINEPREFIX", VELMORIN_WINE_PREFIX, 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        unsetenv("VELMORIN_SPEECH_MODEL");
    }
    // velmorin-cli.exe in a folder laid out as the zip is, with the model beside it.
    void SetUp() override {
        fs::copy_file(VELMORIN_WINDOWS_CLI, dir.file("velmorin-cli.exe"));
        fs::create_directories(dir.file("pocketsphinx/model"));
        fs::create_directory_symlink(VELMORIN_SPEECH_MODEL_FOLDER,
                                     dir.file("pocketsphinx/model/en-us"));
    }
    test::TempDir dir;
};

TEST_F(WineSpeechAgainstLinux, SameWordsAtTheSameTimes) {
    for (const std::string title : {"stereo", "surround"}) {
        const std::string folder = std::string(VELMORIN_SPEECH_TITLES) + "/" + title;
        const Args mute{"mute",
                        "--vtsi",
                        folder + "/VIDEO_TS/VTS_01_0.IFO",
                        "--srt",
                        folder + "/cues.srt",
                        "--words",
                        folder + "/words.txt",
                        "--json",
                        "--dry-run"};
        const auto onLinux =
            test::runBounded(VELMORIN_CLI, mute, {.limit = std::chrono::seconds(120)});
        Args windows{dir.file("velmorin-cli.exe")};
        windows.insert(windows.end(), mute.begin(), mute.end());
        const auto onWindows =
            test::runBounded(VELMORIN_WINE, windows, {.limit = std::chrono::seconds(300)});
        ASSERT_EQ(onLinux.ending(), "status 0") << onLinux.err;
        // Words were placed, not whole cues only: the Linux tool has its model.
        EXPECT_NE(onLinux.out.find("\"placed\":\"word\""), std::string::npos);
        EXPECT_EQ(onWindows.ending(), onLinux.ending()) << title << "\n" << onWindows.err;
        EXPECT_EQ(onWindows.err, onLinux.err) << title;
        EXPECT_EQ(onWindows.out, onLinux.out) << title;
    }
}

}  // namespace
}  // namespace velmorin
