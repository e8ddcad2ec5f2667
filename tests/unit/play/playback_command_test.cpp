#include "play/playback_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/gop_list_commands.h"
#include "fake_platform.h"
#include "pack_builder.h"
#include "read_only_file.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// Three files of 10 VOBUs of 3 sectors; file 2 starts with the last 2 packs of file 1's
// last VOBU. Every pack carries its own number, so a copy shows which packs it took.
struct Playback : ::testing::Test {
    test::TempDir dir;
    std::string program = dir.file("program");
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list{5};
    SectorBuffer buffer;
    test::FakePlatform platform;
    std::string all;  // the title's bytes, file after file

    void SetUp() override {
        std::filesystem::create_directory(program);
        shell.programFolder = program;
        int packNumber = 0;
        for (int f = 0; f < 3; ++f) {
            test::VobBuilder vob;
            if (f > 0) vob.packs(2);
            for (int v = 0; v < 10; ++v) vob.vobu(3);
            if (f < 2) vob.sectors().resize(vob.sectors().size() - 2);
            for (auto& s : vob.sectors()) {
                s[100] = static_cast<std::uint8_t>(packNumber++);
                all.append(reinterpret_cast<const char*>(s.data()), s.size());
            }
            const std::string path = dir.file("VTS_01_" + std::to_string(f + 1) + ".VOB");
            vob.writeTo(path);
            state->inputFiles.filePath[static_cast<std::size_t>(f)] = path;
        }
        state->inputFiles.fileCount = 3;
        ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
        ASSERT_EQ(state->gopTable.gopCount, 30);
        state->settings.playTimeIndex = 2;  // 2 seconds: 4 GOPs
        state->settings.playerPath = "/usr/bin/player";
    }
    std::optional<std::string> play(PlayMode mode) {
        return runPlaybackCommand({*state, shell, ui, list, buffer, platform}, mode);
    }
    std::string working(const std::string& name) const { return test::pathIn(program, name); }
    // Bytes of GOPs [b, e) of the title; GOP k starts at sector 3k of the whole title.
    std::string gops(int b, int e) const {
        return all.substr(std::size_t(b) * 3 * 2048, std::size_t(e - b) * 3 * 2048);
    }
};

TEST_F(Playback, CursorThenNextCopyTheStretchesAcrossFilesAndStartThePlayer) {
    list.setCaretLine(8);
    const auto first = play(PlayMode::Cursor);
    ASSERT_EQ(first, working("TMP1.MPG"));
    EXPECT_EQ(test::readFile(*first), gops(8, 12));  // from file 1 into file 2
    EXPECT_EQ(shell.continuePosition, 12);
    EXPECT_EQ(platform.started,
              (std::vector<std::pair<std::string, std::string>>{{"/usr/bin/player", *first}}));

    ASSERT_EQ(play(PlayMode::Next), *first);  // TMP1 was free again
    EXPECT_EQ(test::readFile(*first), gops(12, 16));
    EXPECT_EQ(list.selectedLines(), (std::vector<int>{12, 13, 14, 15}));
    EXPECT_EQ(list.caretLine(), 12);
    EXPECT_EQ(list.topLine(), 12);
    EXPECT_EQ(shell.continuePosition, 16);
    EXPECT_FALSE(shell.busy);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Playback, StretchesPastTheLastGopRunToTheEndOfTheLastFile) {
    shell.continuePosition = 28;
    ASSERT_TRUE(play(PlayMode::Next));
    EXPECT_EQ(test::readFile(working("TMP1.MPG")), gops(28, 30));
    EXPECT_EQ(shell.continuePosition, 30);
    EXPECT_FALSE(play(PlayMode::Next));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"error", "ファイルの終端です."}}));
}

TEST_F(Playback, RangeTakesEverythingFromTheLowestToTheHighestSelectedLine) {
    EXPECT_FALSE(play(PlayMode::Range));
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", "範囲が選択されていません."}));
    list.select(7);
    list.select(3);
    ASSERT_TRUE(play(PlayMode::Range));
    EXPECT_EQ(test::readFile(working("TMP1.MPG")), gops(3, 8));
    EXPECT_EQ(shell.continuePosition, 8);
}

TEST_F(Playback, DoubleClickCopiesOneGopWithoutTheMessageLoop) {
    list.setCaretLine(19);
    const int pumps = ui.pumps;
    ASSERT_TRUE(play(PlayMode::Single));
    EXPECT_EQ(test::readFile(working("TMP1.MPG")),
              gops(19, 20));  // with the continuation in file 3
    EXPECT_EQ(shell.continuePosition, 20);
    EXPECT_EQ(ui.pumps, pumps);
}

TEST_F(Playback, WorkingFilesHeldByThePlayer) {
    state->settings.mpgWorkingFiles = false;
    test::writeBytes(working("TMP1.MPG"), "other extension");
    test::writeBytes(working("TMP1.VOB"), "held");
    {
        test::ReadOnlyFile held(working("TMP1.VOB"));
        if (!held.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
        EXPECT_EQ(play(PlayMode::Cursor), working("TMP2.VOB"));
        test::writeBytes(working("TMP2.VOB"), "held too");
        test::ReadOnlyFile alsoHeld(working("TMP2.VOB"));
        EXPECT_FALSE(play(PlayMode::Cursor));
        EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", "作業用ファイルが作成できません(" +
                                                                    working("TMP2.VOB") + ")."}));
        EXPECT_EQ(platform.started.size(), 1u);
        EXPECT_TRUE(std::filesystem::exists(
            working("TMP1.MPG")));  // the other extension waits for the exit

        removeWorkingFiles(program);  // at exit: what is held stays
        EXPECT_TRUE(std::filesystem::exists(working("TMP1.VOB")));
        EXPECT_TRUE(std::filesystem::exists(working("TMP2.VOB")));
    }
    removeWorkingFiles(program);
    EXPECT_TRUE(std::filesystem::is_empty(program));
}

TEST_F(Playback, MissingInputAndNothingToPlay) {
    std::filesystem::remove(state->inputFiles.filePath[1]);
    list.setCaretLine(8);
    EXPECT_FALSE(play(PlayMode::Cursor));  // the copy reaches file 2
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", "ファイルが開けません."}));
    EXPECT_EQ(shell.continuePosition, 0);
    EXPECT_FALSE(shell.busy);
    state->gopTable.gopCount = 0;
    EXPECT_FALSE(play(PlayMode::Single));
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", "入力データがありません."}));
}

TEST(StretchLimit, AtMostOneGibibyteAcrossFiles) {
    auto state = std::make_unique<AppState>();
    state->inputFiles.fileCount = 2;
    state->inputFiles.fileSize = {1073741824.0 - 4096, 1073741824.0};
    state->gopTable.gopCount = 2;
    state->gopTable.startSector[0] = 0;
    state->gopTable.fileIndex[1] = 1;
    state->gopTable.startSector[1] = 2;  // GOP 0 is all of file 1 and 4,096 bytes of file 2
    EXPECT_EQ(byteRangeOf(*state, 0, 1)->length, 1073741824);
    state->gopTable.startSector[0] = 0;
    state->inputFiles.fileSize[0] += 1;
    EXPECT_FALSE(byteRangeOf(*state, 0, 1));
    EXPECT_EQ(byteRangeOf(*state, 1, 2)->length, 1073741824 - 4096);  // to the end of the last file

    ShellState shell;
    test::ScriptedUi ui(shell);
    MemoryGopList list;
    list.append("a");
    list.append("b");
    list.select(0);
    SectorBuffer buffer;
    test::FakePlatform platform;
    EXPECT_FALSE(runPlaybackCommand({*state, shell, ui, list, buffer, platform}, PlayMode::Range));
    EXPECT_FALSE(runPlaybackCommand({*state, shell, ui, list, buffer, platform}, PlayMode::Single));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{
                               {"error", "選択範囲が大き過ぎます（>1GB）."},
                               {"error", "作業用ファイルサイズの計算でエラーが発生しました."}}));
}

TEST(StretchProgress, OnlyAbove8192Sectors) {
    test::TempDir dir;
    const std::string vob = dir.file("VTS_01_1.VOB");
    test::writeBytes(vob, "");
    std::filesystem::resize_file(vob, 9000 * 2048);  // sparse
    for (const std::uint32_t end : {8192u, 8193u}) {
        auto state = std::make_unique<AppState>();
        state->inputFiles.fileCount = 1;
        state->inputFiles.filePath[0] = vob;
        state->inputFiles.fileSize[0] = 9000 * 2048.0;
        state->gopTable.gopCount = 2;
        state->gopTable.startSector[1] = end;
        ShellState shell;
        shell.programFolder = dir.path();
        test::ScriptedUi ui(shell);
        MemoryGopList list;
        list.append("a");
        list.append("b");
        list.select(0);
        SectorBuffer buffer;
        test::FakePlatform platform;
        ASSERT_TRUE(
            runPlaybackCommand({*state, shell, ui, list, buffer, platform}, PlayMode::Range));
        EXPECT_EQ(ui.progressCaption, end > 8192 ? "表示データ準備中" : "") << end;
        EXPECT_FALSE(ui.progressOpen);
        EXPECT_FALSE(ui.waitCursor);
        if (end > 8192) {
            EXPECT_EQ(ui.draws.back(), ui.lastBar.right - 1);
        }
    }
}

TEST(PlayTime, TwoGopsPerSecond) {
    EXPECT_EQ(gopsForPlayTime(0), 1);
    EXPECT_EQ(gopsForPlayTime(10), 20);
    EXPECT_EQ(gopsForPlayTime(21), 600);
    EXPECT_EQ(gopsForPlayTime(22), 20);
    EXPECT_DOUBLE_EQ(secondsOfPlayTime(0), 0.5);
}

}  // namespace
}  // namespace velmorin
