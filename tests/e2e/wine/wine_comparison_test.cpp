// velmorin-cli.exe of the Windows build, run under Wine, against the Linux build of the
// same sources on the sample title set: the same lines, documents and bytes. Wine shows
// the POSIX path /x/y as Z:\x\y; path fields are compared with that mapped back, nothing
// else is.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/bounded_run.h"

namespace velmorin {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

test::BoundedRun onLinux(const Args& args) {
    return test::runBounded(VELMORIN_CLI, args);
}

test::BoundedRun onWindows(const Args& args) {
    Args all{VELMORIN_WINDOWS_CLI};
    all.insert(all.end(), args.begin(), args.end());
    return test::runBounded(VELMORIN_WINE, all, {.limit = std::chrono::seconds(120)});
}

// How Wine names a POSIX path: "/x/y" is "Z:\\x\\y".
std::string onDriveZ(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

// The JSON "path" fields as the Linux build writes them: "Z:\\\\x\\\\y" becomes "/x/y".
std::string posixPathFields(std::string json) {
    const std::string key = "\"path\":\"Z:";
    for (auto at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
        const auto begin = at + key.size() - 2, end = json.find('"', begin);
        std::string path = json.substr(begin + 2, end - begin - 2);
        for (auto slash = path.find("\\\\"); slash != std::string::npos; slash = path.find("\\\\"))
            path.replace(slash, 2, "/");
        json.replace(begin, end - begin, path);
    }
    return json;
}

// Two runs end alike and print the same bytes, the JSON path fields of `actual` taken
// back from Wine's drive Z: (a run of either build may show Windows paths).
void expectSameRun(const test::BoundedRun& expected, const test::BoundedRun& actual,
                   const std::string& what) {
    EXPECT_EQ(actual.ending(), expected.ending()) << what << "\n" << actual.err;
    EXPECT_EQ(actual.err, expected.err) << what;
    const bool json = actual.out.starts_with("{");
    EXPECT_EQ(json ? posixPathFields(actual.out) : actual.out, expected.out) << what;
}

// The Linux build's run is the expected one.
void expectSameRun(const Args& args) {
    std::string what = "velmorin-cli";
    for (const auto& a : args) what += " " + a;
    expectSameRun(onLinux(args), onWindows(args), what);
}

void expectSameFiles(const std::string& linuxFolder, const std::string& windowsFolder) {
    std::size_t compared = 0;
    for (const auto& entry : fs::directory_iterator(linuxFolder)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(test::readFile(entry.path().string()) ==
                    test::readFile(test::pathIn(windowsFolder, name)))
            << name << " differs";
        ++compared;
    }
    EXPECT_EQ(compared, static_cast<std::size_t>(std::distance(
                            fs::directory_iterator(windowsFolder), fs::directory_iterator())));
}

// The sample title set copied once for each build, so that each may change its own.
struct WineAgainstLinux : ::testing::Test {
    static void SetUpTestSuite() {
        // The session that the "Wine" test fixture started; a UTF-8 locale carries
        // non-ASCII arguments into the program intact.
        setenv("WINEPREFIX", VELMORIN_WINE_PREFIX, 1);
        setenv("WINEDEBUG", "-all", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
    }
    void SetUp() override {
        for (const auto& side : {"linux", "windows"}) {
            fs::create_directory(dir.file(side));
            for (const auto& f : test::sampleVobFiles())
                fs::copy_file(f, test::pathIn(dir.file(side), fs::path(f).filename().string()));
        }
    }
    Args vobs(const std::string& side) const {
        return {dir.file(side + "/VTS_01_1.VOB"), dir.file(side + "/VTS_01_2.VOB")};
    }
    static Args join(std::initializer_list<Args> parts) {
        Args all;
        for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
        return all;
    }

    test::TempDir dir;
};

TEST_F(WineAgainstLinux, ScanLinesJsonTitlesAndTitleTimes) {
    const Args sample = test::sampleVobFiles();
    const std::string ifo = test::sampleVideoTs() + "/VTS_01_0.IFO";
    for (const Args& source :
         {sample, join({{"--full"}, sample}), Args{"--vtsi", ifo, "--chapters", "cells", "-E"}}) {
        expectSameRun(join({{"scan"}, source}));
        expectSameRun(join({{"scan", "--json"}, source}));
    }
    expectSameRun({"titles", test::sampleVideoTs()});
    expectSameRun(join({{"times", "--json"}, sample}));
    expectSameRun({"times", "--vtsi", ifo, "--title", "2"});
    expectSameRun({"mute", "--vtsi", ifo, "--at", "00:00:05-7.5", "--dry-run"});
}

TEST_F(WineAgainstLinux, MutedExtractedAndPreviewBytes) {
    const Args mutes[] = {{"--pattern", "----", "--gops", "30-38"},
                          {"--pattern", "-***", "--time", "00:00:05.000-00:00:09.000"},
                          {"--pattern", "****", "--gop", "3"}};
    for (const auto& mute : mutes)
        expectSameRun(onLinux(join({{"mute"}, vobs("linux"), mute})),
                      onWindows(join({{"mute"}, vobs("windows"), mute})), mute[1]);
    expectSameFiles(dir.file("linux"), dir.file("windows"));

    // Stretches within the first file, across the split and past the last GOP.
    const struct {
        std::string side;
        test::BoundedRun (*run)(const Args&);
    } builds[] = {{"linux", onLinux}, {"windows", onWindows}};
    for (const auto& [side, run] : builds) {
        const std::string out = dir.file(side + "-out");
        fs::create_directory(out);
        const Args src = vobs(side);
        for (const Args& stretch : {Args{"--gop", "2", "--count", "3"},
                                    {"--gop", "30", "--to", "40"},
                                    {"--gop", "60", "--count", "500"}})
            EXPECT_EQ(run(join({{"extract"},
                                src,
                                stretch,
                                {"-o", test::pathIn(out, stretch[1] + ".VOB")}}))
                          .ending(),
                      "status 0");
        EXPECT_EQ(run(join({{"preview"}, src, {"--all", "-o", out}})).ending(), "status 0");
    }
    expectSameFiles(dir.file("linux-out"), dir.file("windows-out"));
}

// A project holds the paths as the system that saved it wrote them. The other system
// loads it and shows its list; what it cannot open is named in the program's message.
TEST_F(WineAgainstLinux, ProjectsSavedByOneBuildLoadInTheOther) {
    const std::string linuxPrj = dir.file("linux.prj"), windowsPrj = dir.file("windows.prj");
    ASSERT_EQ(onLinux(join({{"project"}, vobs("linux"), {"--save", linuxPrj}})).ending(),
              "status 0");
    ASSERT_EQ(onWindows(join({{"project"}, vobs("linux"), {"--save", windowsPrj}})).ending(),
              "status 0");
    const auto scanned = onLinux(join({{"scan", "--json"}, vobs("linux")}));
    for (const auto& prj : {linuxPrj, windowsPrj}) {
        expectSameRun(scanned, onWindows({"scan", "--json", "--project", prj}), "Windows " + prj);
        expectSameRun(scanned, onLinux({"scan", "--json", "--project", prj}), "Linux " + prj);
    }

    // Linux cannot open Z:\…; Wine would open /… on drive Z:, so the files go away first.
    const Args mute{"--pattern", "----", "--gop", "1"};
    const auto stranded = onLinux(join({{"mute", "--project", windowsPrj}, mute}));
    EXPECT_EQ(stranded.ending(), "status 1");
    EXPECT_EQ(stranded.err, "[エラー] " + onDriveZ(vobs("linux")[0]) + "が開けません（1）.\n");
    fs::remove_all(dir.file("linux"));
    const auto missing = onWindows(join({{"mute", "--project", linuxPrj}, mute}));
    EXPECT_EQ(missing.ending(), "status 1");
    EXPECT_EQ(missing.err, "[エラー] " + vobs("linux")[0] + "が開けません（1）.\n");
}

TEST_F(WineAgainstLinux, JapaneseFolderNameOnTheCommandLine) {
    const std::string folder = dir.file("映像");
    fs::create_directory(folder);
    fs::copy_file(test::sampleVobFiles()[0], test::pathIn(folder, "VTS_01_1.VOB"));
    expectSameRun({"scan", test::pathIn(folder, "VTS_01_1.VOB")});
    expectSameRun({"scan", "--json", test::pathIn(folder, "VTS_01_1.VOB")});
}

}  // namespace
}  // namespace velmorin
