// A project saved after a scan of the sample disc gives back the same GOP list and state,
// without the VOB files.
#include <gtest/gtest.h>

#include <filesystem>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

TEST(CliProject, SavedAfterAScanLoadsWithoutTheVobFiles) {
    test::TempDir dir;
    const std::string vts = dir.file("VIDEO_TS");
    std::filesystem::create_directory(vts);
    for (const auto& f : std::filesystem::directory_iterator(test::sampleVideoTs()))
        std::filesystem::copy_file(f.path(), vts + "/" + f.path().filename().string());
    const std::string cli = shellQuoted(VELMORIN_CLI);
    const std::string src = "--vtsi " + shellQuoted(vts + "/VTS_01_0.IFO") + " --chapters cells -E";
    const auto scanned = runCommand(cli + " scan --json " + src);
    ASSERT_EQ(scanned.status, 0) << scanned.err;

    const std::string project = dir.file("日本語のプロジェクト.prj");
    const auto saved = runCommand(cli + " project " + src + " --save " + shellQuoted(project));
    ASSERT_EQ(saved.status, 0);
    EXPECT_EQ(saved.err, "[情報] プロジェクトを保存しました.\n");

    std::filesystem::rename(vts, dir.file("moved"));
    const auto loaded = runCommand(cli + " scan --json --project " + shellQuoted(project));
    ASSERT_EQ(loaded.status, 0) << loaded.err;
    EXPECT_EQ(loaded.out, scanned.out);

    // Saved again from the loaded state: the same bytes but for the last project path.
    const auto again = runCommand(cli + " project --project " + shellQuoted(project) + " --save " +
                                  shellQuoted(dir.file("again.prj")));
    ASSERT_EQ(again.status, 0);
    std::string first = test::readFile(project), second = test::readFile(dir.file("again.prj"));
    ASSERT_EQ(first.size(), second.size());
    first.replace(0xC9BDB, 260, 260, '\0');
    second.replace(0xC9BDB, 260, 260, '\0');
    EXPECT_TRUE(first == second);

    const auto missing = runCommand(cli + " scan --project " + shellQuoted(dir.file("none.prj")));
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "[エラー] プロジェクトファイルが開けません.\n");
}

}  // namespace
}  // namespace velmorin
