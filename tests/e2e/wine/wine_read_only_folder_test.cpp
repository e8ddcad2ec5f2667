// velmorin-cli.exe unpacked into a folder its user may not write (as into C:\Program
// Files) keeps the user's files under %APPDATA% and %LOCALAPPDATA% and reads LOGO.BMP and
// README.HTM beside itself; unpacked into a folder of its own, it keeps everything there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>

#include "pack_builder.h"
#include "read_only_file.h"
#include "support/bounded_run.h"

namespace velmorin {
namespace {

TEST(WineReadOnlyFolder, TheUnpackedToolTakesTheInstalledLayoutThere) {
    setenv("WINEPREFIX", VELMORIN_WINE_PREFIX, 1);
    setenv("WINEDEBUG", "-all", 1);
    test::TempDir dir;
    const std::string tool = dir.file("velmorin-cli.exe");
    std::filesystem::copy_file(VELMORIN_WINDOWS_CLI, tool);
    const auto settings = [&] {
        const auto run = test::runBounded(VELMORIN_WINE, {tool, "settings"},
                                          {.limit = std::chrono::seconds(120)});
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    };
    // Wine shows the POSIX folder /x/y as Z:\x\y.
    const std::string here = std::regex_replace("Z:" + dir.path() + "/", std::regex("/"), "\\");

    EXPECT_EQ(settings().rfind("layout: portable\nsettingsFile: " + here + "velmorin.DAT\n", 0),
              0u);

    const test::ReadOnlyFile readOnly(dir.path());
    if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
    const std::string user = R"(C:\\users\\[^\\\n]+\\AppData\\)";
    const std::string at = std::regex_replace(here, std::regex(R"(\\)"), R"(\\)");
    EXPECT_TRUE(std::regex_match(
        settings(), std::regex("layout: installed\nsettingsFile: " + user +
                               R"(Roaming\\Velmorin\\velmorin\.DAT\noptionsFile: )" + user +
                               R"(Roaming\\Velmorin\\options\.txt\nworkingFolder: )" + user +
                               R"(Local\\Velmorin\\\nlogoFile: )" + at +
                               R"(LOGO\.BMP\nhelpFile: )" + at + R"(README\.HTM\n)")));
}

}  // namespace
}  // namespace velmorin
