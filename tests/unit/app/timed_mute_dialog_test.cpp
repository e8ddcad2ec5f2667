#include "app/timed_mute_dialog.h"

#include <gtest/gtest.h>

#include <memory>

#include "pack_builder.h"
#include "scan/vob_scanner.h"
#include "scripted_ui.h"
#include "timing/map_messages.h"
#include "timing/timing_text_messages.h"
#include "ui/control_ids.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

namespace t = ids::timed_mute;
constexpr TitleTime kSecond = kTicksPerSecond;

// A title of six one-second GOPs, each with four AC-3 packets a quarter of a second
// apart, scanned as the main window scans it.
struct TimedMuteDialog : ::testing::Test {
    test::TempDir dir;
    std::string vob = dir.file("VTS_01_1.VOB");
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;
    TimedMuteFields fields;
    TimedMuteChoices choices;

    void SetUp() override {
        test::VobBuilder b;
        for (int k = 0; k < 6; ++k) {
            const auto start = static_cast<std::uint32_t>(kSecond + k * kSecond);
            const auto end = static_cast<std::uint32_t>(start + kSecond);
            b.pack(test::makeNavPack({.vobuEnd = 5, .startPtm = start, .endPtm = end}));
            b.packs(1);
            for (int q = 0; q < 4; ++q) b.pack(test::makeAudioPack(0x80, start + q * kSecond / 4));
        }
        b.writeTo(vob);
        state->inputFiles.fileCount = 1;
        state->inputFiles.filePath[0] = vob;
        ASSERT_TRUE(VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run());
        ASSERT_EQ(state->gopTable.gopCount, 6);
        ui.messages.clear();
    }
    TimedMuteDialogModel model() {
        return TimedMuteDialogModel({*state, shell, ui, buffer, {}, true, false}, list, choices);
    }
    std::string refusal(const TimedMuteFields& f) {
        std::string problem;
        EXPECT_FALSE(requestFromFields(f, choices, problem));
        return problem;
    }
};

TEST_F(TimedMuteDialog, FieldsThatCannotMakeARequestSayWhy) {
    fields.typedSpans = "1-2\n\n 3.5 - 4\t\nsoon";
    EXPECT_EQ(refusal(fields), timing_messages::malformedTypedSpan(4));
    fields.typedSpans = " \n";
    EXPECT_EQ(refusal(fields), timing_messages::kNoTypedSpans);
    fields.typedSpans = "00:00:01.000-2";
    fields.shift = "+x";
    EXPECT_NE(refusal(fields).find("ずらし"), std::string::npos);
    fields.shift = "-0.5";
    choices.vtsiPath = dir.file("VTS_01_0.IFO");
    fields.title = "0";
    EXPECT_NE(refusal(fields).find("ﾀｲﾄﾙ番号"), std::string::npos);
    fields.source = SpanSource::Subtitles;
    fields.subtitlePath = "a.srt";
    fields.wordsFromFile = false;
    fields.title = "2";
    EXPECT_EQ(refusal(fields), timing_messages::kNoTypedWords);

    fields.typedWords = "damn\n";
    fields.wholeCues = true;
    std::string problem;
    auto request = requestFromFields(fields, choices, problem);
    ASSERT_TRUE(request) << problem;
    EXPECT_EQ(request->shift, -kSecond / 2);
    EXPECT_EQ(request->title, 2);
    EXPECT_TRUE(request->wholeCues);
    // Without a recogniser each cue falls back and says why, rather than "as asked".
    choices.cannotPlaceWords = "no speech library in this build";
    EXPECT_FALSE(requestFromFields(fields, choices, problem)->wholeCues);
    EXPECT_FALSE(timedMuteControlEnabled(t::kWordsOnly, fields, choices));
    EXPECT_TRUE(timedMuteControlEnabled(t::kTypedWords, fields, choices));
    EXPECT_FALSE(timedMuteControlEnabled(t::kWordsPath, fields, choices));
    EXPECT_FALSE(timedMuteControlEnabled(t::kEdlPath, fields, choices));
}

TEST_F(TimedMuteDialog, PlanListsSpansAndGopsAsTheToolPrintsThem) {
    fields.typedSpans = "2.3-2.4\n4.6-4.7";
    auto m = model();
    ASSERT_TRUE(m.plan(fields));
    EXPECT_EQ(m.lines(), (std::vector<std::string>{
                             "範囲 00:00:02.300-00:00:02.400", "範囲 00:00:04.600-00:00:04.700",
                             "00003 **** -> --** 00:00:02.000-00:00:02.500",
                             "00005 **** -> **-- 00:00:04.500-00:00:05.000"}));
    EXPECT_EQ(m.total(), "無音化 2箇所 計0.200秒  変更するGOP 2個");
    EXPECT_EQ(ui.progressCaption, "無音化計画中");
    EXPECT_FALSE(shell.busy);

    fields.typedSpans = "2.3-9";  // the title ends at 6 s
    EXPECT_FALSE(m.plan(fields));
    EXPECT_TRUE(m.lines().empty());
    EXPECT_EQ(
        ui.messages.back(),
        (test::UiMessage{"error", map_messages::spanOutsideTitle("00:00:02.300-00:00:09.000",
                                                                 "00:00:00.000-00:00:06.000")}));
}

TEST_F(TimedMuteDialog, WriteShowsTheNewPatternsAndPutsTheCaretOnTheFirst) {
    list.setCaretLine(5);
    fields.typedSpans = "3.1-3.2\n5-6";
    // Writing fields that were never planned plans them first.
    EXPECT_EQ(model().write(fields), PlanWriteResult::Written);
    EXPECT_EQ(list.caretLine(), 3);
    EXPECT_EQ(list.line(3), state->gopLines.text(3));
    EXPECT_NE(list.line(3).find("-***"), std::string::npos) << list.line(3);
    EXPECT_NE(list.line(5).find("----"), std::string::npos) << list.line(5);
    EXPECT_EQ(model().write(fields), PlanWriteResult::Nothing);
    EXPECT_EQ(ui.messages.back().kind, "info");
}

TEST_F(TimedMuteDialog, ClosingTheProgressWindowStopsBetweenGops) {
    fields.typedSpans = "1-6";
    auto m = model();
    ASSERT_TRUE(m.plan(fields));
    const std::string before = test::readFile(vob);
    ui.cancelAfterPumps = ui.pumps + 2;  // the bar's first draw, then one GOP
    EXPECT_EQ(m.write(fields), PlanWriteResult::Stopped);
    EXPECT_TRUE(m.lines().empty());
    EXPECT_EQ(ui.messages.back(),
              (test::UiMessage{"info", "無音化を中断しました. 1個のGOPを書き換えました."}));
    EXPECT_NE(list.line(1).find("----"), std::string::npos);  // the title's second second
    EXPECT_EQ(list.line(2).find("----"), std::string::npos);
    EXPECT_NE(test::readFile(vob), before);
    EXPECT_FALSE(shell.busy);
    EXPECT_FALSE(ui.progressOpen);
}

TEST_F(TimedMuteDialog, FilesAreReadAndRefusedBeforeAnythingIsWritten) {
    const std::string edl = dir.file("cuts.edl"), srt = dir.file("film.srt");
    test::writeBytes(edl, "1.1 1.2 1\n2 3 x\n");
    test::writeBytes(srt,
                     "1\n00:00:02,000 --> 00:00:03,000\nDamn it!\n\n"
                     "2\n00:00:04,000 --> 00:00:04,500\nHello\n");
    const std::string before = test::readFile(vob);
    fields.source = SpanSource::Edl;
    fields.edlPath = edl;
    EXPECT_EQ(model().write(fields), PlanWriteResult::Refused);
    EXPECT_EQ(ui.messages.back(),
              (test::UiMessage{"error", timing_messages::malformedEdlLine(edl, 2)}));
    EXPECT_EQ(test::readFile(vob), before);

    fields.source = SpanSource::Subtitles;
    fields.subtitlePath = srt;
    fields.wordsFromFile = false;
    fields.typedWords = "damn";
    fields.wholeCues = true;
    auto m = model();
    // Closing the progress window while the cues are placed stops the plan, unannounced.
    const std::size_t told = ui.messages.size();
    ui.cancelAfterPumps = ui.pumps + 7;  // the six GOPs' map, then the first cue
    EXPECT_FALSE(m.plan(fields));
    EXPECT_EQ(ui.messages.size(), told);
    ui.cancelAfterPumps = -1;
    ASSERT_TRUE(m.plan(fields));
    ASSERT_FALSE(m.lines().empty());
    EXPECT_EQ(m.lines()[0],
              "字幕1 「damn」 字幕全体 00:00:02.000-00:00:03.000（指定により字幕全体）");
}

}  // namespace
}  // namespace velmorin
