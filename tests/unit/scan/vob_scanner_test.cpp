#include "scan/vob_scanner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "pack_builder.h"
#include "scan/scan_messages.h"
#include "scripted_ui.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

using test::NavFields;
using test::VobBuilder;

constexpr std::uint64_t kSecond = 90000;

struct ScannerTest : ::testing::Test {
    test::TempDir dir;
    std::unique_ptr<AppState> state = std::make_unique<AppState>();
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;

    void setFiles(const std::vector<std::string>& names) {
        state->inputFiles.fileCount = static_cast<int>(names.size());
        for (std::size_t i = 0; i < names.size(); ++i)
            state->inputFiles.filePath[i] = dir.file(names[i]);
    }
    bool scan(bool fast) {
        state->sourceOptions.fastRead = fast;
        return VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run();
    }
    std::vector<std::uint32_t> starts() const {
        const auto& t = state->gopTable;
        return {t.startSector.begin(), t.startSector.begin() + t.gopCount};
    }
    std::vector<int> files() const {
        const auto& t = state->gopTable;
        return {t.fileIndex.begin(), t.fileIndex.begin() + t.gopCount};
    }
    std::vector<int> flags() const {
        const auto& t = state->gopTable;
        return {t.flags.begin(), t.flags.begin() + t.gopCount};
    }
    void expectFailedQuietlyKeepingLabel(const std::string& label) {
        EXPECT_EQ(state->inputFiles.fileCount, 0);
        EXPECT_EQ(state->gopTable.gopCount, 0);
        EXPECT_EQ(list.count(), 0);
        EXPECT_EQ(list.sizeLabel(), label);
        EXPECT_FALSE(ui.progressOpen);
        EXPECT_FALSE(ui.waitCursor);
    }
};

struct BothReaders : ScannerTest, ::testing::WithParamInterface<bool> {};

// Two files split inside a VOBU, long enough that the fast reader steps from VOBU to
// VOBU before it reads the last 4 MiB of each file sector by sector.
TEST_P(BothReaders, FindEveryVobuAcrossASplitFile) {
    VobBuilder first;
    first.packs(2);  // before the first navigation pack: no GOP
    std::uint64_t scr = kSecond;
    for (int i = 0; i < 9; ++i, scr += kSecond / 2)
        first.vobu(300, NavFields{.scr = scr, .newCell = i % 4 == 0});
    first.vobu(100, NavFields{.scr = scr});
    first.sectors().resize(first.sectors().size() - 40);  // the last VOBU goes on in file 2
    first.writeTo(dir.file("VTS_01_1.VOB"));
    VobBuilder second;
    second.packs(40);
    for (int i = 0; i < 8; ++i) second.vobu(300, NavFields{.scr = scr += kSecond / 2});
    second.writeTo(dir.file("VTS_01_2.VOB"));

    setFiles({"VTS_01_1.VOB", "VTS_01_2.VOB"});
    ASSERT_TRUE(scan(GetParam()));
    EXPECT_TRUE(ui.messages.empty());

    std::vector<std::uint32_t> expectedStarts;
    for (std::uint32_t s = 2; s < 2 + 10 * 300; s += 300) expectedStarts.push_back(s);
    for (std::uint32_t s = 40; s < 40 + 8 * 300; s += 300) expectedStarts.push_back(s);
    EXPECT_EQ(starts(), expectedStarts);
    std::vector<int> expectedFiles(10, 0);
    expectedFiles.resize(18, 1);
    EXPECT_EQ(files(), expectedFiles);
    EXPECT_EQ(flags()[0], 3);
    EXPECT_EQ(flags()[4], 3);
    EXPECT_EQ(flags()[5], 0);

    const auto& t = state->gopTable;
    EXPECT_EQ(t.fileIndex[18], 2);
    EXPECT_EQ(t.startSector[18], 40u + 2400u);
    EXPECT_DOUBLE_EQ(state->inputFiles.fileSize[0], 2762.0 * 2048);
    EXPECT_DOUBLE_EQ(state->inputFiles.fileSize[1], 2440.0 * 2048);
    const GopExtent split = t.extent(9, state->inputFiles);
    EXPECT_EQ(split.firstSector, 2702u);
    EXPECT_EQ(split.endSector, 2762u);
    EXPECT_EQ(split.nextFileSectors, 40u);

    ASSERT_EQ(list.count(), 18);
    EXPECT_EQ(list.line(0), " >*00001 (00:00:01.000) ****");
    EXPECT_EQ(list.line(1), "   00002 (00:00:01.500) ****");
    EXPECT_EQ(list.line(17), "   00018 (00:00:09.500) ****");
    EXPECT_EQ(list.sizeLabel(), "ｻｲｽﾞ: 0.010 GB");
    EXPECT_EQ(shell.continuePosition, 0);
    EXPECT_FALSE(ui.progressOpen);
    EXPECT_FALSE(ui.waitCursor);
    EXPECT_EQ(ui.progressCaption, "VOBファイル読み込み中");
    if (!GetParam()) {
        EXPECT_EQ(ui.draws.back(), ui.lastBar.right - 1);  // a full bar at the end
    }
}

TEST_P(BothReaders, MarksFromCellTimeChapterMarkerAndMuteMarker) {
    VobBuilder vob;
    vob.vobu(3, NavFields{.scr = 0, .newCell = true});
    vob.vobu(3,
             NavFields{.scr = 3 * 324000000ull + 90 * 1001, .chapterMarker = true, .muteState = 1});
    vob.vobu(3, NavFields{.scr = 0x1FFFFFFFFull, .muteState = 6});  // bit 32 is ignored
    test::Sector tensOfHours = test::makeNavPack(NavFields{.vobuEnd = 0, .muteState = 4});
    test::setCellElapsedTime(tensOfHours, 0x10, 0, 0, 0);  // 10:00:00:00 starts a cell
    vob.pack(tensOfHours);
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(GetParam()));
    EXPECT_EQ(list.lines(), (std::vector<std::string>{
                                " >*00001 (00:00:00.000) ****",
                                " > 00002 (03:00:01.001) -***",
                                "   00003 (13:15:21.858) **--",
                                " >*00004 (00:00:00.000) ----",
                            }));
    EXPECT_EQ(flags(), (std::vector<int>{3, 2, 0, 3}));
}

TEST_P(BothReaders, UnitStartsLessThan1200MillisecondsApartAreInterleaved) {
    VobBuilder vob;
    const std::uint64_t t0 = 10 * kSecond;
    vob.vobu(2, NavFields{.scr = t0, .category = 0xA0});
    vob.vobu(2, NavFields{.scr = t0 + 1199 * 90, .category = 0x60});  // 1,199 ms: interleaved
    vob.vobu(
        2, NavFields{.scr = t0 + 1300 * 90, .category = 0x40});  // ILVU, not a start: still inside
    vob.vobu(2, NavFields{.scr = t0 + 1400 * 90, .newCell = true, .category = 0x00});  // leaves
    vob.vobu(2, NavFields{.scr = t0 + 5000 * 90, .category = 0x20});
    vob.vobu(2, NavFields{.scr = t0 + 6200 * 90, .category = 0x20});  // 1,200 ms: not interleaved
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(GetParam()));
    std::string marks;
    for (const auto& line : list.lines()) marks += line[2];
    EXPECT_EQ(marks, " XX*  ");
    EXPECT_EQ(flags()[3], 3);  // the 'X' replaces only the character, not the flags
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{{"info", scan_messages::kInterleaveDetected}}));
}

TEST_P(BothReaders, FileSizeChecksComeBeforeAnyReading) {
    list.setSizeLabel("ｻｲｽﾞ: 1.234 GB");
    VobBuilder().vobu(4).writeTo(dir.file("A.VOB"));
    test::writeBytes(dir.file("B.VOB"), std::string(2049, '\0'));
    setFiles({"A.VOB", "B.VOB"});
    EXPECT_FALSE(scan(GetParam()));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              dir.file("B.VOB") +
                  " が2KBの整数倍になっていません.\n通常のDVDビデオのファイルではありません.");
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 1.234 GB");

    // Sparse files: no disk space needed for the size tests.
    std::filesystem::resize_file(dir.file("B.VOB"), 2147483647ull);
    setFiles({"A.VOB", "B.VOB"});
    ui.messages.clear();
    EXPECT_FALSE(scan(GetParam()));
    EXPECT_EQ(ui.messages.at(0).text, scan_messages::notWholeSectors(dir.file("B.VOB")));

    std::filesystem::resize_file(dir.file("B.VOB"), 2147483648ull);
    setFiles({"A.VOB", "B.VOB"});
    ui.messages.clear();
    EXPECT_FALSE(scan(GetParam()));
    EXPECT_EQ(
        ui.messages.at(0).text,
        dir.file("B.VOB") + " のサイズが2GB以上です.\n通常のDVDビデオのファイルではありません.");
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 1.234 GB");
}

TEST_P(BothReaders, MissingFilesAndFoldersCannotBeOpened) {
    VobBuilder().vobu(4).writeTo(dir.file("A.VOB"));
    std::filesystem::create_directory(dir.file("FOLDER.VOB"));
    for (const char* name : {"MISSING.VOB", "FOLDER.VOB"}) {
        setFiles({"A.VOB", name});
        ui.messages.clear();
        EXPECT_FALSE(scan(GetParam()));
        EXPECT_EQ(ui.messages,
                  (std::vector<test::UiMessage>{{"error", dir.file(name) + " が開けません."}}));
        expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 0.000 GB");
    }
}

TEST_P(BothReaders, ClosingTheProgressWindowCancelsWithoutAMessage) {
    VobBuilder vob;
    for (int i = 0; i < 30; ++i) vob.vobu(100);
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    list.setSizeLabel("ｻｲｽﾞ: 0.500 GB");
    ui.cancelAfterPumps = 0;
    EXPECT_FALSE(scan(GetParam()));
    EXPECT_TRUE(ui.messages.empty());
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 0.500 GB");
}

TEST_P(BothReaders, EmptyFilesGiveAnEmptyTitle) {
    test::writeBytes(dir.file("A.VOB"), "");
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(GetParam()));
    EXPECT_EQ(state->gopTable.gopCount, 0);
    EXPECT_EQ(state->gopTable.fileIndex[0], 1);
    EXPECT_EQ(state->gopTable.startSector[0], 0u);
    EXPECT_EQ(list.sizeLabel(), "ｻｲｽﾞ: 0.000 GB");
    EXPECT_EQ(ui.draws.back(), ui.lastBar.left + 1);
}

TEST_P(BothReaders, ReadingByVtsiTakesChaptersFromTheChapterInformation) {
    VobBuilder vob;
    vob.vobu(10, NavFields{.newCell = true});        // sector 0, before firstCellSector
    vob.vobu(10, NavFields{.newCell = true});        // sector 10: cell 1
    vob.vobu(10, NavFields{.chapterMarker = true});  // sector 20: marker ignored
    vob.vobu(10, NavFields{.newCell = true});        // sector 30: cell 2
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    state->sourceOptions.readByVtsi = true;
    auto& chapters = state->chapterInfo;
    chapters.firstCellSector = 10;
    chapters.count = 2;
    chapters.sectors[0] = 10;
    chapters.sectors[1] = 20;
    ASSERT_TRUE(scan(GetParam()));
    EXPECT_EQ(flags(), (std::vector<int>{1, 3, 2, 1}));
    EXPECT_EQ(list.line(0).substr(0, 3), "  *");
    EXPECT_EQ(list.line(2).substr(0, 3), " > ");

    state->sourceOptions.chapterMethod = ChapterMethod::CountCells;
    chapters.cellIsEntry[1] = 1;  // the second counted cell
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(GetParam()));
    EXPECT_EQ(flags(), (std::vector<int>{1, 1, 0, 3}));
}

INSTANTIATE_TEST_SUITE_P(Scanner, BothReaders, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Fast" : "Full"; });

TEST_F(ScannerTest, FullReaderAsksOnceAboutDamagedPacksWhichNeverStartAGop) {
    VobBuilder a;
    a.vobu(3).pack(test::Sector{}).vobu(2);
    a.writeTo(dir.file("A.VOB"));
    VobBuilder b;
    b.pack(test::Sector{}).vobu(2);
    b.writeTo(dir.file("B.VOB"));
    setFiles({"A.VOB", "B.VOB"});
    ui.answers = {true};
    ASSERT_TRUE(scan(false));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{
                               {"confirm", scan_messages::damagedPackQuestion(3)},
                               {"info", "読み込みを終了しました（NG PACK数=2）."},
                           }));
    EXPECT_NE(scan_messages::damagedPackQuestion(3).find("PACK No.=00000003h"), std::string::npos);
    EXPECT_EQ(starts(), (std::vector<std::uint32_t>{0, 4, 1}));
    EXPECT_EQ(state->gopTable.extent(1, state->inputFiles).nextFileSectors, 1u);
}

TEST_F(ScannerTest, FullReaderStopsWhenTheUserDeclinesToGoOn) {
    VobBuilder a;
    a.vobu(3).vobu(2);
    a.sectors()[4][0] = 0xFF;
    a.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ui.answers = {false};
    EXPECT_FALSE(scan(false));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{
                  {"confirm", scan_messages::damagedPackQuestion(4)},
                  {"error", "処理を中止しました（" + dir.file("A.VOB") + " の内容が異常です）."},
              }));
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 0.000 GB");
}

TEST_F(ScannerTest, FastReaderRefusesADamagedPackWithoutAsking) {
    VobBuilder a;
    a.vobu(3).pack(test::Sector{}).vobu(2);
    a.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    EXPECT_FALSE(scan(true));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{
                  {"error", dir.file("A.VOB") + " の内容が異常です（PACKヘッダ検出不能）."}}));
}

// A file long enough for step mode whose second VOBU has the end address `end`.
void writeWithSecondVobuEnd(const std::string& path, std::uint32_t end) {
    VobBuilder vob;
    for (int i = 0; i < 12; ++i) vob.vobu(250);
    vob.sectors()[250][1039] = static_cast<std::uint8_t>(end >> 24);
    vob.sectors()[250][1040] = static_cast<std::uint8_t>(end >> 16);
    vob.sectors()[250][1041] = static_cast<std::uint8_t>(end >> 8);
    vob.sectors()[250][1042] = static_cast<std::uint8_t>(end);
    vob.writeTo(path);
}

TEST_F(ScannerTest, FastReaderReportsEndAddressesThatDoNotLeadToANavigationPack) {
    const std::string path = dir.file("A.VOB");
    const std::string message = path + " の内容が異常です（VOBUヘッダ検出不能）.";
    // Lands inside a VOBU; would not move forward (wraps to 0); jumps past the end.
    for (std::uint32_t end : {100u, 0xFFFFFFFFu, 5000u}) {
        writeWithSecondVobuEnd(path, end);
        setFiles({"A.VOB"});
        ui.messages.clear();
        const std::string label = list.sizeLabel();
        EXPECT_FALSE(scan(true)) << end;
        EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"error", message}})) << end;
        expectFailedQuietlyKeepingLabel(label);

        // The full reader does not use the end address.
        setFiles({"A.VOB"});
        ui.messages.clear();
        EXPECT_TRUE(scan(false));
        EXPECT_EQ(state->gopTable.gopCount, 12);
    }
}

TEST_F(ScannerTest, FileCutShortWhileTheFastReaderStepsIsASeekError) {
    VobBuilder vob;
    for (int i = 0; i < 12; ++i) vob.vobu(250);
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ui.onPump = [&] { std::filesystem::resize_file(dir.file("A.VOB"), 0); };
    EXPECT_FALSE(scan(true));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{
                  {"error", dir.file("A.VOB") + " の内容が異常です（シークエラー）."}}));
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 0.000 GB");
}

TEST_F(ScannerTest, FastReaderReadsA4MiBFileEntirelySectorBySector) {
    // 2048 sectors: no step mode, so a nonsense end address is never followed.
    VobBuilder vob;
    for (int i = 0; i < 8; ++i) vob.vobu(256);
    vob.sectors()[0][1039] = 0xFF;
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(true));
    EXPECT_EQ(state->gopTable.gopCount, 8);
    EXPECT_EQ(state->gopTable.startSector[8], 2048u);
}

TEST_F(ScannerTest, FastReaderChecksTheWholeFirstChunkPieceByPiece) {
    // 600 packs continue the previous file's GOP, past the first megabyte of the chunk; in
    // 21 MiB, the VOBUs between the first chunk and the last 4 MiB are only stepped over.
    VobBuilder vob;
    vob.packs(600);
    for (int i = 0; i < 40; ++i) vob.vobu(256);
    vob.writeTo(dir.file("A.VOB"));
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(true));
    EXPECT_EQ(starts().front(), 600u);

    vob.sectors()[1500] = test::Sector{};  // inside a VOBU, in the first chunk's third piece
    vob.writeTo(dir.file("A.VOB"));
    EXPECT_FALSE(scan(true));
    EXPECT_EQ(ui.messages.back().text,
              dir.file("A.VOB") + " の内容が異常です（PACKヘッダ検出不能）.");
}

TEST_F(ScannerTest, AtMost131071Gops) {
    // Every sector a one-sector VOBU: 131,071 of them fill the table.
    std::vector<test::Sector> sectors(GopTable::kMaxGops, test::makeNavPack({}));
    test::writeSectors(dir.file("A.VOB"), sectors);
    test::writeSectors(dir.file("B.VOB"), {test::makeNavPack({})});
    setFiles({"A.VOB"});
    ASSERT_TRUE(scan(true));
    EXPECT_EQ(state->gopTable.gopCount, GopTable::kMaxGops);
    EXPECT_EQ(list.line(GopTable::kMaxGops - 1), "   131071 (00:00:00.000) ****");
    EXPECT_EQ(state->gopTable.fileIndex[GopTable::kMaxGops], 1);

    setFiles({"A.VOB", "B.VOB"});
    EXPECT_FALSE(scan(true));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{
                  {"error", "入力データサイズが大き過ぎます.\n通常のDVDビデオではありません."}}));
    expectFailedQuietlyKeepingLabel("ｻｲｽﾞ: 0.250 GB");
}

}  // namespace
}  // namespace velmorin
