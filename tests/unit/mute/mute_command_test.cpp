#include "mute/mute_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "app/gop_list_commands.h"
#include "mute/audio_packet.h"
#include "mute/mute_pattern.h"
#include "pack_builder.h"
#include "platform/binary_file.h"
#include "read_only_file.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "ui/control_ids.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

using test::NavFields;
using test::VobBuilder;

// GOP 1: 10 AC-3 packets among video, a sub-picture and an MPEG audio packet.
// GOP 2: 3 LPCM packets in A.VOB and 2 more at the start of B.VOB. GOP 3: in B.VOB.
struct MuteCommand : ::testing::Test {
    test::TempDir dir;
    std::string a = dir.file("A.VOB"), b = dir.file("B.VOB");
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;

    void SetUp() override {
        VobBuilder first;
        first.vobu(1)
            .packs(2)
            .audio(4)
            .pack(test::makePrivateStreamPack(0x20))
            .audio(6)
            .packs(1, 0xC0);
        first.vobu(1).audio(3, 0xA0);
        first.sectors()[0][1042] = 14;  // VOBU end addresses for the hand-built VOBUs
        first.sectors()[15][1042] = 5;
        first.writeTo(a);
        VobBuilder second;
        second.audio(2, 0xA1).vobu(4, NavFields{.muteState = 0}).audio(1);
        second.writeTo(b);
        scan({a, b});
        ASSERT_EQ(state->gopTable.gopCount, 3);
    }
    void scan(const std::vector<std::string>& paths) {
        state->inputFiles.fileCount = static_cast<int>(paths.size());
        for (std::size_t i = 0; i < paths.size(); ++i) state->inputFiles.filePath[i] = paths[i];
        ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
    }
    std::optional<MuteResult> press(int caret, MuteState pattern) {
        list.setCaretLine(caret);
        return runMuteCommand({*state, shell, ui, list, buffer}, pattern);
    }
    // Byte 17 of every sector whose first packet is audio: 'D' for 0xBD, 'E' for 0xBE.
    static std::string audioIds(const std::string& path) {
        const std::string bytes = test::readFile(path);
        std::string ids;
        for (std::size_t s = 0; s + kSectorSize <= bytes.size(); s += kSectorSize) {
            const SectorView sector(reinterpret_cast<const std::uint8_t*>(bytes.data() + s),
                                    kSectorSize);
            if (classifyAudioPacket(sector) != AudioPacket::None)
                ids += sector[17] == 0xBE ? 'E' : 'D';
        }
        return ids;
    }
};

TEST_F(MuteCommand, SilencesQuartersOfTheCaretGopOnly) {
    list.select(0);
    list.select(1);
    EXPECT_EQ(press(0, 1), MuteResult::Ok);
    EXPECT_EQ(audioIds(a),
              "EEEDDDDDDD"
              "DDD");
    EXPECT_EQ(list.line(0).substr(24), "-***");
    EXPECT_EQ(list.line(1).substr(24), "****");
    EXPECT_EQ(list.selectedLines(), std::vector<int>{0});
    EXPECT_EQ(list.caretLine(), 0);
    EXPECT_TRUE(list.focused());

    for (MuteState m : {6, 3, 5, 7, 2, 4, 0}) {
        ASSERT_EQ(press(0, m), MuteResult::Ok);
        const SilentRange r = silentRange(m, 10);
        std::string expected(10, 'D');
        for (int i = r.lo; i < r.hi; ++i) expected[static_cast<std::size_t>(i)] = 'E';
        EXPECT_EQ(audioIds(a), expected + "DDD") << "pattern " << m;
        EXPECT_EQ(list.line(0).substr(24), patternText(m));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MuteCommand, MarkerIsReadBackByTheNextScanAndRestoringGivesBackTheFile) {
    const std::string before = test::readFile(a);
    ASSERT_EQ(press(0, 4), MuteResult::Ok);
    ASSERT_EQ(press(1, 7), MuteResult::Ok);
    scan({a, b});
    EXPECT_EQ(list.line(0).substr(24), "----");
    EXPECT_EQ(list.line(1).substr(24), "*---");
    ASSERT_EQ(press(0, 0), MuteResult::Ok);
    ASSERT_EQ(press(1, 0), MuteResult::Ok);
    EXPECT_EQ(test::readFile(a), before);
}

TEST_F(MuteCommand, ContinuationAtTheStartOfTheNextFileIsRewrittenToo) {
    const std::string before = test::readFile(b);
    ASSERT_EQ(press(1, 6), MuteResult::Ok);  // 5 packets: the last 2 silent
    EXPECT_EQ(audioIds(a), std::string(13, 'D'));
    EXPECT_EQ(audioIds(b),
              "EE"
              "D");
    ASSERT_EQ(press(1, 0), MuteResult::Ok);
    EXPECT_EQ(test::readFile(b), before);
}

TEST_F(MuteCommand, InterruptedWriteLeavesTheOldMarkerAndRepeatingRepairs) {
    // GOP 2's audio lies in both files; the writes go A's audio, B's audio, the marker.
    for (const auto& [writes, result] :
         {std::pair{1, MuteResult::NextFileWriteFailed}, {2, MuteResult::WriteFailed}}) {
        failWritesAfterForTesting(writes);
        EXPECT_EQ(press(1, 6), result);
        failWritesAfterForTesting(-1);
        scan({a, b});
        EXPECT_EQ(list.line(1).substr(24), "****");
    }
    // The silenced packets now look like someone else's padding: going on repairs the GOP.
    ui.answers = {false};
    ASSERT_EQ(press(1, 6), MuteResult::Ok);
    scan({a, b});
    EXPECT_EQ(list.line(1).substr(24), "**--");
    EXPECT_EQ(audioIds(b), "EED");
}

TEST_F(MuteCommand, RunOfGopsReportsEachOnceItsMarkerIsWrittenAndStopsAtAFailure) {
    std::vector<int> heard;
    const auto run = [&](const std::vector<int>& gops) {
        return muteGops({state->gopTable, state->inputFiles}, state->gopLines, buffer, ui, gops, 4,
                        [&](const GopMuteOutcome& o) { heard.push_back(o.gop); });
    };
    test::ReadOnlyFile readOnly(b);  // GOP 2 continues in B, GOP 3 lies in it
    if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
    const auto outcomes = run({0, 1, 2});
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].result, MuteResult::Ok);
    EXPECT_EQ(outcomes[0].line, "   00001 (00:00:00.000) ----");
    EXPECT_EQ(outcomes[1].result, MuteResult::NextFileCannotBeUpdated);
    EXPECT_EQ(outcomes[1].line.substr(24), "****");
    EXPECT_EQ(heard, (std::vector<int>{0, 1}));
    EXPECT_EQ(audioIds(a).substr(0, 10), std::string(10, 'E'));
}

TEST_F(MuteCommand, RunThatStopsAtAQuestionStillPutsTheGopBeforeOnTheDisk) {
    // Two GOPs in one file: the second goes through the first's open file, whose marker
    // is still pending when the second GOP's padding question is answered with Yes.
    VobBuilder vob;
    vob.vobu(3).audio(2);
    vob.vobu(4).audio(2);
    vob.sectors()[7] = test::makePack(0xBE);
    vob.writeTo(a);
    scan({a});
    ui.answers = {true};
    const auto outcomes =
        muteGops({state->gopTable, state->inputFiles}, state->gopLines, buffer, ui, {0, 1}, 4);
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].result, MuteResult::Ok);
    EXPECT_EQ(outcomes[1].result, MuteResult::Aborted);
    scan({a});
    EXPECT_EQ(list.line(0).substr(24), "----");
    EXPECT_EQ(list.line(1).substr(24), "****");
    EXPECT_EQ(audioIds(a), "EEEDD");  // the padding packet stays as it was
}

TEST_F(MuteCommand, ExistingPaddingStreamAsksFirst) {
    VobBuilder vob;
    vob.vobu(4).audio(2);
    vob.sectors()[2] = test::makePack(0xBE);  // a genuine padding packet
    vob.writeTo(a);
    scan({a});
    const std::string before = test::readFile(a);

    ui.answers = {true};  // Yes: abandon the change
    EXPECT_EQ(press(0, 4), MuteResult::Aborted);
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", "変更を中止しました."}));
    EXPECT_EQ(ui.messages[ui.messages.size() - 2].kind, "confirm");
    EXPECT_EQ(test::readFile(a), before);
    EXPECT_EQ(list.line(0).substr(24), "****");

    ui.answers = {false};  // No: the padding packet counts as audio and becomes 0xBD
    EXPECT_EQ(press(0, 0), MuteResult::Ok);
    EXPECT_EQ(static_cast<unsigned char>(test::readFile(a)[2 * 2048 + 17]), 0xBD);
    EXPECT_EQ(audioIds(a), "DD");  // its sub-stream byte was never audio's

    // Padding in a GOP this program muted is its own: no question.
    ASSERT_EQ(press(0, 3), MuteResult::Ok);
    ui.messages.clear();
    EXPECT_EQ(press(0, 6), MuteResult::Ok);
    EXPECT_EQ(audioIds(a), "DE");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MuteCommand, FailuresNameTheFileAndCodeAndChangeNothing) {
    const std::string beforeA = test::readFile(a), beforeB = test::readFile(b);
    list.select(2);
    {
        test::ReadOnlyFile readOnly(a);
        if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
        EXPECT_EQ(press(0, 4), MuteResult::CannotOpenForUpdate);
        EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", a + "が更新できません（4）."}));
    }
    {
        // The GOP's own file could be updated, but its continuation cannot: neither is.
        test::ReadOnlyFile readOnly(b);
        EXPECT_EQ(press(1, 4), MuteResult::NextFileCannotBeUpdated);
        EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", b + "が更新できません（7）."}));
    }
    EXPECT_EQ(test::readFile(a), beforeA);
    EXPECT_EQ(test::readFile(b), beforeB);
    EXPECT_EQ(list.line(0).substr(24), "****");
    EXPECT_EQ(list.selectedLines(), std::vector<int>{2});
}

TEST_F(MuteCommand, MissingFileIsNamedAndAMissingContinuationLeftOut) {
    std::filesystem::remove(test::nativePath(b));
    EXPECT_EQ(press(2, 4), MuteResult::CannotOpenForReading);
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", b + "が開けません（1）."}));
    // A continuation that cannot be read is left out: only the GOP's own part is muted.
    EXPECT_EQ(press(1, 4), MuteResult::Ok);
    EXPECT_EQ(audioIds(a), std::string(10, 'D') + "EEE");
}

TEST_F(MuteCommand, GopLargerThanTheSectorBufferIsRefusedBeforeReading) {
    state->gopTable.startSector[1] = 9000;  // GOP 1 would be 9,000 sectors long
    state->inputFiles.fileSize[0] = 9100.0 * 2048;
    EXPECT_EQ(press(0, 4), MuteResult::GopTooLarge);
    EXPECT_EQ(ui.messages.back(),
              (test::UiMessage{"error", a + "のGOPが大き過ぎて編集できません（9）."}));
    EXPECT_EQ(audioIds(a), std::string(13, 'D'));
}

TEST_F(MuteCommand, TableThatNoLongerFitsTheFileEditsNothing) {
    // As a project loaded for files that have changed since might say: GOP 1 one sector
    // off (an audio pack), GOP 2 beyond the end of A.VOB.
    const std::string beforeA = test::readFile(a), beforeB = test::readFile(b);
    state->gopTable.startSector[0] = 1;
    EXPECT_EQ(press(0, 4), MuteResult::SeekForReadingFailed);
    EXPECT_EQ(ui.messages.back(), (test::UiMessage{"error", a + "が開けません（2）."}));
    state->gopTable.startSector[0] = 0;
    state->gopTable.startSector[1] = 5000;
    state->gopTable.startSector[2] = 5010;
    state->gopTable.fileIndex[2] = 0;
    EXPECT_EQ(press(1, 4), MuteResult::SeekForReadingFailed);
    EXPECT_EQ(list.line(1).substr(24), "****");
    EXPECT_EQ(test::readFile(a), beforeA);
    EXPECT_EQ(test::readFile(b), beforeB);
}

TEST_F(MuteCommand, NothingToMute) {
    shell.busy = true;
    EXPECT_EQ(press(0, 4), std::nullopt);
    EXPECT_TRUE(ui.messages.empty());
    shell.busy = false;
    state->gopTable.gopCount = 0;
    EXPECT_EQ(press(0, 4), std::nullopt);
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"error", "入力データがありません."}}));
}

TEST(MuteMessages, EveryResultCode) {
    InputFileSet files;
    files.fileCount = 2;
    files.filePath[0] = "/d/VTS_01_1.VOB";
    files.filePath[1] = "/d/VTS_01_2.VOB";
    EXPECT_EQ(muteFailureMessage(MuteResult::SeekForReadingFailed, files, 0),
              "/d/VTS_01_1.VOBが開けません（2）.");
    EXPECT_EQ(muteFailureMessage(MuteResult::SeekForUpdateFailed, files, 0),
              "/d/VTS_01_1.VOBが更新できません（5）.");
    EXPECT_EQ(muteFailureMessage(MuteResult::WriteFailed, files, 1),
              "/d/VTS_01_2.VOBが更新できません（6）.");
    EXPECT_EQ(muteFailureMessage(MuteResult::NextFileWriteFailed, files, 0),
              "/d/VTS_01_2.VOBが更新できません（8）.");
    EXPECT_EQ(muteFailureMessage(static_cast<MuteResult>(42), files, 0),
              "不明のエラーが発生しました（42）.");
}

TEST(MuteButtons, BothSilenceButtonsApplyPatternFour) {
    namespace m = ids::main_window;
    const int buttons[] = {m::kSilenceFirstQuarter,
                           m::kSilenceFirstHalf,
                           m::kSilenceFirstThreeQuarters,
                           m::kSilenceAllFirstRow,
                           m::kSilenceNone,
                           m::kSilenceLastQuarter,
                           m::kSilenceLastHalf,
                           m::kSilenceLastThreeQuarters,
                           m::kSilenceAllLastRow};
    const MuteState patterns[] = {1, 2, 3, 4, 0, 5, 6, 7, 4};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(patternForButton(buttons[i]), patterns[i]);
        EXPECT_EQ(patternText(patternForButton(buttons[i])),
                  i == 8 ? "----" : patternText(patterns[i]));
    }
    EXPECT_EQ(patternForButton(m::kOptions), -1);
}

}  // namespace
}  // namespace velmorin
