// velmorin-cli extract: the bytes playback would copy, into a file of the caller's.
#include <gtest/gtest.h>

#include <filesystem>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

TEST(CliExtract, CopiesTheStretchOrSaysWhyNot) {
    test::TempDir dir;
    std::string files;
    for (const auto& f : test::sampleVobFiles()) files += shellQuoted(f) + " ";
    const std::string cli = shellQuoted(VELMORIN_CLI) + " extract " + files;
    const std::string whole =
        test::readFile(test::sampleVobFiles()[0]) + test::readFile(test::sampleVobFiles()[1]);

    // GOP 1 up to past the last GOP: everything.
    const auto all =
        runCommand(cli + "--gop 1 --count 100000 -o " + shellQuoted(dir.file("all.mpg")));
    ASSERT_EQ(all.status, 0) << all.err;
    EXPECT_TRUE(test::readFile(dir.file("all.mpg")) == whole);

    // --to M is inclusive: GOPs 1 … 2 end where GOP 3 starts.
    const auto scan = runCommand(shellQuoted(VELMORIN_CLI) + " scan --json " + files);
    const std::string gop3 = "\"number\":3,\"file\":0,\"sector\":";
    const auto third = scan.out.find(gop3);
    ASSERT_NE(third, std::string::npos);
    const std::size_t sector = std::stoul(scan.out.substr(third + gop3.size()));
    ASSERT_EQ(runCommand(cli + "--gop 1 --to 2 -o " + shellQuoted(dir.file("two.mpg"))).status, 0);
    EXPECT_TRUE(test::readFile(dir.file("two.mpg")) == whole.substr(0, sector * 2048));

    const auto noFolder =
        runCommand(cli + "--gop 1 --count 1 -o " + shellQuoted(dir.file("none/x.mpg")));
    EXPECT_EQ(noFolder.status, 1);
    EXPECT_EQ(noFolder.err,
              "[エラー] 作業用ファイルが作成できません(" + dir.file("none/x.mpg") + ").\n");
    const auto usage = [&](const std::string& options, const std::string& problem) {
        const auto run = runCommand(cli + options);
        EXPECT_EQ(run.status, 2) << options;
        EXPECT_EQ(run.err.rfind("velmorin-cli: " + problem + "\n", 0), 0u) << run.err;
    };
    usage("--gop 1 -o x", "give one of --count C and --to M");
    usage("--gop 1 --count 1 --to 2 -o x", "give one of --count C and --to M");
    usage("--gop 3 --to 2 -o x", "the stretch holds no GOP");
    usage("--gop 1 --count 0 -o x", "the stretch holds no GOP");
    usage("--gop 1 --count abc -o x", "--count takes a number");
    usage("--gop 999 --count 1 -o x", "--gop N takes a GOP number from 1 to 67");
}

TEST(CliOutputs, NeverWrittenOverTheirOwnInput) {
    test::TempDir dir;
    const std::string vob = dir.file("VTS_01_1.VOB");
    test::writeBytes(vob, test::readFile(test::sampleVobFiles()[0]));
    std::filesystem::create_symlink(vob, dir.file("link.mpg"));
    const std::string before = test::readFile(vob);
    const std::string cli = shellQuoted(VELMORIN_CLI);
    for (const std::string& command :
         {cli + " extract " + shellQuoted(vob) + " --gop 1 --count 2 -o " + shellQuoted(vob),
          cli + " extract " + shellQuoted(vob) + " --gop 1 --count 2 -o " +
              shellQuoted(dir.file("link.mpg")),
          cli + " preview " + shellQuoted(vob) + " --gop 1 -o " + shellQuoted(vob),
          cli + " project " + shellQuoted(vob) + " --save " + shellQuoted(vob)}) {
        const auto run = runCommand(command);
        EXPECT_EQ(run.status, 1) << command;
        EXPECT_NE(run.err.find("is one of the title's input files; nothing was written"),
                  std::string::npos)
            << run.err;
        EXPECT_TRUE(test::readFile(vob) == before) << command;
    }
}

}  // namespace
}  // namespace velmorin
