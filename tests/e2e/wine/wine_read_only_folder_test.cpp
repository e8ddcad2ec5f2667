// velmorin-cli.exe unpacked, with the files the package puts beside it, into a folder its
// user may not write (as into C:\Program Files): it keeps the user's files under
// %APPDATA% and %LOCALAPPDATA% and reads LOGO.BMP and README.HTM beside itself; unpacked
// into a folder of its own, it keeps everything there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "pack_builder.h"
#include "read_only_file.h"
#include "support/bounded_run.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;

// Wine's name for the POSIX folder `path`: "Z:\x\y\".
std::string onDriveZ(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path + "\\";
}

TEST(WineReadOnlyFolder, TheUnpackedToolTakesTheInstalledLayoutThere) {
    setenv("WINEPREFIX", VELMORIN_WINE_PREFIX, 1);
    setenv("WINEDEBUG", "-all", 1);
    test::TempDir dir;
    const std::string tool = dir.file("velmorin-cli.exe");
    fs::copy_file(VELMORIN_WINDOWS_CLI, tool);
    const auto settings = [&] {
        return test::runBounded(VELMORIN_WINE, {tool, "settings"},
                                {.limit = std::chrono::seconds(120)});
    };
    const std::string here = onDriveZ(dir.path());

    const auto portable = settings();
    EXPECT_EQ(portable.status, 0) << portable.err;
    EXPECT_EQ(portable.out.rfind("layout: portable\nsettingsFile: " + here + "velmorin.DAT\n", 0),
              0u)
        << portable.out;

    const test::ReadOnlyFile readOnly(dir.path());
    if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
    const auto installed = settings();
    EXPECT_EQ(installed.status, 0) << installed.err;
    const auto line = [&](const std::string& start, const std::string& end) {
        const auto at = installed.out.find("\n" + start);
        const auto stop = installed.out.find('\n', at + 1);
        const std::string value = installed.out.substr(at + 1, stop - at - 1);
        EXPECT_TRUE(at != std::string::npos && value.ends_with(end)) << installed.out;
    };
    EXPECT_EQ(installed.out.rfind("layout: installed\n", 0), 0u) << installed.out;
    line("settingsFile: C:\\users\\", "\\AppData\\Roaming\\Velmorin\\velmorin.DAT");
    line("optionsFile: C:\\users\\", "\\AppData\\Roaming\\Velmorin\\options.txt");
    line("workingFolder: C:\\users\\", "\\AppData\\Local\\Velmorin\\");
    line("logoFile: " + here, "LOGO.BMP");
    line("helpFile: " + here, "README.HTM");
}

}  // namespace
}  // namespace velmorin
