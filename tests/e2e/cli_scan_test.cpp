// velmorin-cli scan as scripts use it: output, exit statuses and messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "pack_builder.h"
#include "sample_disc.h"
#include "support/run_command.h"

namespace velmorin {
namespace {

using test::runCommand;
using test::shellQuoted;

std::string cli(const std::string& args) {
    return shellQuoted(VELMORIN_CLI) + " " + args;
}

std::string sampleArgs() {
    std::string args;
    for (const auto& f : test::sampleVobFiles()) args += shellQuoted(f) + " ";
    return args;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::size_t occurrences(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
    return n;
}

TEST(CliScan, PrintsOneLinePerVobuThenTheSizeLabel) {
    const auto oracle = test::readOracle();
    const auto fast = runCommand(cli("scan " + sampleArgs()));
    ASSERT_EQ(fast.status, 0) << fast.err;
    EXPECT_EQ(fast.err, "");
    const auto lines = linesOf(fast.out);
    ASSERT_EQ(lines.size(), oracle.vobus.size() + 1);
    EXPECT_EQ(lines.front().substr(0, 11), " >*00001 (0");
    EXPECT_EQ(lines.back(), "ｻｲｽﾞ: 0.029 GB");

    const auto full = runCommand(cli("scan --full " + sampleArgs()));
    ASSERT_EQ(full.status, 0) << full.err;
    EXPECT_EQ(full.out, fast.out);
}

TEST(CliScan, JsonDocument) {
    const auto oracle = test::readOracle();
    const auto r = runCommand(cli("scan --json " + sampleArgs()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("{\"files\":[{\"path\":\"" + test::sampleVobFiles()[0] + "\",\"size\":", 0),
        0u);
    EXPECT_EQ(occurrences(r.out, "\"number\":"), oracle.vobus.size());
    EXPECT_NE(
        r.out.find(
            "{\"number\":1,\"file\":0,\"sector\":0,\"flags\":3,\"line\":\" >*00001 (00:00:00."),
        std::string::npos);
    EXPECT_NE(r.out.find("\"end\":{\"file\":2,\"sector\":"), std::string::npos);
    EXPECT_NE(r.out.find("\"sizeLabel\":\"ｻｲｽﾞ: 0.029 GB\"}"), std::string::npos);
}

TEST(CliScan, BadInputGivesTheMessageAndStatus1) {
    test::TempDir dir;
    std::string garbage(8192, '\0');
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>(i * 7 + 3);
    test::writeBytes(dir.file("GARBAGE.VOB"), garbage);
    test::writeBytes(dir.file("EMPTY.VOB"), "");
    std::filesystem::create_directory(dir.file("FOLDER.VOB"));

    const struct {
        std::string name;
        std::string expected;
    } cases[] = {
        {"GARBAGE.VOB",
         "[エラー] " + dir.file("GARBAGE.VOB") + " の内容が異常です（PACKヘッダ検出不能）.\n"},
        {"MISSING.VOB", "[エラー] " + dir.file("MISSING.VOB") + " が開けません.\n"},
        {"FOLDER.VOB", "[エラー] " + dir.file("FOLDER.VOB") + " が開けません.\n"},
        {"EMPTY.VOB", "velmorin-cli: no GOP found: the title holds no navigation pack\n"},
    };
    for (const auto& c : cases) {
        const auto r = runCommand(cli("scan " + shellQuoted(dir.file(c.name))));
        EXPECT_EQ(r.status, 1) << c.name;
        EXPECT_EQ(r.err, c.expected) << c.name;
        EXPECT_EQ(r.out, "") << c.name;
    }
}

TEST(CliScan, DamagedPackQuestion) {
    test::TempDir dir;
    const auto vobs = test::sampleVobFiles();
    std::string bytes = test::readFile(vobs[0]);
    bytes[2048 * 5] = 0;  // sector 5 loses its pack start code
    bytes[2048 * 5 + 3] = 0;
    const std::string damaged = dir.file("VTS_01_1.VOB");
    test::writeBytes(damaged, bytes);
    const std::string question =
        "[確認] PACKヘッダが異常です（データが部分的に壊れています：PACK No.=00000005h）.\n"
        "処理を続行しますか（軽微な損傷の場合は、正常に再生される可能性があります）？\n";

    const auto noTerminal = runCommand(cli("scan --full " + shellQuoted(damaged)));
    EXPECT_EQ(noTerminal.status, 3);
    EXPECT_EQ(noTerminal.err, question);
    EXPECT_EQ(noTerminal.out, "");

    const auto no = runCommand(cli("scan --full --answer no " + shellQuoted(damaged)));
    EXPECT_EQ(no.status, 1);
    EXPECT_EQ(no.err,
              question + "no\n[エラー] 処理を中止しました（" + damaged + " の内容が異常です）.\n");

    const auto yes = runCommand(cli("scan --full --answer yes " + shellQuoted(damaged)));
    EXPECT_EQ(yes.status, 0);
    EXPECT_EQ(yes.err, question + "yes\n[情報] 読み込みを終了しました（NG PACK数=1）.\n");
    EXPECT_EQ(linesOf(yes.out).back(), "ｻｲｽﾞ: 0.015 GB");

    const auto fast = runCommand(cli("scan --answer yes " + shellQuoted(damaged)));
    EXPECT_EQ(fast.status, 1);
    EXPECT_EQ(fast.err, "[エラー] " + damaged + " の内容が異常です（PACKヘッダ検出不能）.\n");
}

TEST(CliScan, WrongUsageIsStatus2) {
    EXPECT_EQ(runCommand(cli("")).status, 2);
    EXPECT_EQ(runCommand(cli("frobnicate")).status, 2);
    EXPECT_EQ(runCommand(cli("scan")).status, 2);
    EXPECT_EQ(runCommand(cli("scan --answer maybe x.VOB")).status, 2);
    EXPECT_EQ(runCommand(cli("scan --bogus x.VOB")).status, 2);
    const auto help = runCommand(cli("scan --help"));
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: velmorin-cli scan"), std::string::npos);
}

}  // namespace
}  // namespace velmorin
