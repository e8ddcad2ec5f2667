// velmorin-cli mute as scripts use it.
#include <gtest/gtest.h>

#include <filesystem>

#include "pack_builder.h"
#include "read_only_file.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

struct CliMute : ::testing::Test {
    test::TempDir dir;
    std::string files;

    void SetUp() override {
        for (const auto& source : test::sampleVobFiles()) {
            const std::string copy = dir.file(std::filesystem::path(source).filename().string());
            std::filesystem::copy_file(source, copy);
            files += shellQuoted(copy) + " ";
        }
    }
    test::CommandResult cli(const std::string& args) const {
        return runCommand(shellQuoted(VELMORIN_CLI) + " " + args);
    }
};

TEST_F(CliMute, AppliesPatternsByTextNumberRangeAndTime) {
    const auto one = cli("mute " + files + "--pattern -*** --gop 3");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out.substr(0, 9), "   00003 ");
    EXPECT_EQ(one.out.substr(24), "-***\n");

    const auto range = cli("mute " + files + "--pattern 4 --gops 5-7");
    ASSERT_EQ(range.status, 0) << range.err;
    EXPECT_EQ(range.out.find("00005"), 3u);
    EXPECT_NE(range.out.find("00007 ("), std::string::npos);

    // Title 1 runs from 0 s, title 2 starts again at 0 s: the range meets both.
    const auto timed = cli("mute " + files + "--pattern *--- --time 00:00:09.000-00:00:10.000");
    ASSERT_EQ(timed.status, 0) << timed.err;
    EXPECT_GE(std::count(timed.out.begin(), timed.out.end(), '\n'), 2);

    const auto scan = cli("scan " + files);
    EXPECT_NE(scan.out.find("00003 (" + one.out.substr(10, 12) + ") -***"), std::string::npos);
    EXPECT_NE(scan.out.find(range.out.substr(0, 29)), std::string::npos);
}

TEST_F(CliMute, FailuresAndWrongUsage) {
    const std::string first = dir.file("VTS_01_1.VOB");
    {
        test::ReadOnlyFile readOnly(first);
        const auto r = cli("mute " + files + "--pattern ---- --gop 1");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "[エラー] " + first + "が更新できません（4）.\n");
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(cli("mute " + files + "--pattern --*- --gop 1").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 8 --gop 1").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4 --gop 1 --gops 1-2").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4 --gop 0").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4 --gops 3-2").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4 --gop 100000").status, 2);
    EXPECT_EQ(cli("mute " + files + "--pattern 4 --time 1:00-2:00").status, 2);
}

TEST_F(CliMute, ExistingPaddingStreamQuestion) {
    test::VobBuilder vob;
    vob.vobu(3).audio(2);
    vob.sectors()[1] = test::makePack(0xBE);
    const std::string path = dir.file("PAD.VOB");
    vob.writeTo(path);
    const std::string question =
        "[確認] 既存のPadding Streamが見つかりました. "
        "このデータは正常に編集できません.\n変更を中止しますか？\n";

    const auto unanswered = cli("mute " + shellQuoted(path) + " --pattern ---- --gop 1");
    EXPECT_EQ(unanswered.status, 3);
    EXPECT_EQ(unanswered.err, question);
    const auto yes = cli("mute " + shellQuoted(path) + " --pattern ---- --gop 1 --answer yes");
    EXPECT_EQ(yes.status, 1);
    EXPECT_EQ(yes.err, question + "yes\n[エラー] 変更を中止しました.\n");
    const auto no = cli("mute " + shellQuoted(path) + " --pattern ---- --gop 1 --answer no");
    EXPECT_EQ(no.status, 0);
    EXPECT_EQ(no.out, "   00001 (00:00:00.000) ----\n");
}

}  // namespace
}  // namespace velmorin
