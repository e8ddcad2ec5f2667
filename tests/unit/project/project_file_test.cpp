#include "project/project_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

using namespace std::string_literals;

#include "common/little_endian.h"
#include "pack_builder.h"
#include "project/state_record.h"
#include "read_only_file.h"
#include "scripted_ui.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// A state with a distinct value in every field.
std::unique_ptr<AppState> distinctState() {
    auto s = std::make_unique<AppState>();
    s->settings = {"/ソース/フォルダ", "/usr/bin/mpv", 7, false, true};
    s->sourceOptions = {true, ChapterMethod::CountCells, false, true};
    s->chapterInfo.count = 3;
    s->chapterInfo.sectors[0] = 0x11223344;
    s->chapterInfo.sectors[999] = 0x55667788;
    s->chapterInfo.firstCellSector = 0x99AABBCC;
    s->chapterInfo.cellIsEntry[0] = 1;
    s->chapterInfo.cellIsEntry[999] = 1;
    s->inputFiles.fileCount = 2;
    s->inputFiles.filePath[0] = "/dvd/VTS_01_1.VOB";
    s->inputFiles.filePath[1] = "/dvd/日本語/VTS_01_2.VOB";
    s->inputFiles.fileSize[0] = 1073741824.0;
    s->inputFiles.fileSize[1] = 536870912.0;
    s->gopTable.gopCount = 2;
    s->gopTable.startSector = {};
    s->gopTable.startSector[0] = 0x01020304;
    s->gopTable.startSector[1] = 0x05060708;
    s->gopTable.startSector[131071] = 0x0A0B0C0D;  // beyond the count: kept as it stands
    s->gopTable.fileIndex[1] = 1;
    s->gopTable.fileIndex[2] = 2;
    s->gopTable.flags[0] = 3;
    s->gopTable.flags[1] = 2;
    s->lastProjectPath = "/projects/a.prj";
    s->gopLines.appendStored(" >*00001 (00:00:00.000) ****");
    s->gopLines.appendStored(" > 00002 (00:00:00.500) -***");
    return s;
}

struct Project : ::testing::Test {
    test::TempDir dir;
    ShellState shell;
    test::ScriptedUi ui{shell};
    MemoryGopList list;

    void SetUp() override {
        list.append(" >*00001 (00:00:00.000) ****");
        list.append(" > 00002 (00:00:00.500) -***");
    }
};

TEST_F(Project, EveryFieldAtItsFileOffset) {
    const auto state = distinctState();
    const std::string path = dir.file("a.prj");
    ASSERT_TRUE(saveProject(path, *state, ui));
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"info", "プロジェクトを保存しました."}}));
    const std::string bytes = test::readFile(path);
    const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
    ASSERT_EQ(bytes.size(), 826855u + 2 * 29);
    EXPECT_EQ(bytes.substr(0, 15), "VELMORIN0100PRJ");
    EXPECT_EQ(bytes.substr(0x117, 13), "/usr/bin/mpv\0"s);
    EXPECT_EQ(readLe32(b + 0x21B), 7u);
    EXPECT_EQ(readLe32(b + 0x21F), 0u);
    EXPECT_EQ(readLe32(b + 0x223), 1u);
    EXPECT_EQ(readLe32(b + 0x227), 1u);  // interleave check
    EXPECT_EQ(readLe32(b + 0x233), 1u);  // read by VTSI
    EXPECT_EQ(readLe32(b + 0x237), 1u);  // count cells
    EXPECT_EQ(readLe32(b + 0x23B), 0u);  // fast read off
    EXPECT_EQ(readLe32(b + 0x23F), 3u);
    EXPECT_EQ(readLe32(b + 0x243), 0x11223344u);
    EXPECT_EQ(readLe32(b + 0x243 + 4 * 999), 0x55667788u);
    EXPECT_EQ(readLe32(b + 0x11E3), 0x99AABBCCu);
    EXPECT_EQ(b[0x11E7], 1);
    EXPECT_EQ(b[0x11E7 + 999], 1);
    EXPECT_EQ(readLe32(b + 0x15CF), 2u);
    EXPECT_EQ(readLe32(b + 0x15D3), 2u);
    EXPECT_EQ(readLe32(b + 0x15D7), 0x01020304u);
    EXPECT_EQ(readLe32(b + 0x15D7 + 4 * 131071), 0x0A0B0C0Du);
    EXPECT_EQ(b[0x815D7 + 1], 1);
    EXPECT_EQ(b[0x815D7 + 2], 2);
    EXPECT_EQ(b[0xA15D7], 3);
    EXPECT_EQ(bytes.substr(0xC15D7, 18), "/dvd/VTS_01_1.VOB\0"s);
    EXPECT_EQ(bytes.substr(0xC15D7 + 260, 7), "/dvd/\x93\xfa"s);  // Shift-JIS
    EXPECT_EQ(readLeDouble(b + 0xC97D7), 1073741824.0);
    EXPECT_EQ(readLeDouble(b + 0xC97D7 + 8), 536870912.0);
    EXPECT_EQ(bytes.substr(0xC9BDB, 16), "/projects/a.prj\0"s);
    EXPECT_EQ(bytes.substr(0xC9CDF, 1), "/");
    EXPECT_EQ(bytes.substr(826855), " >*00001 (00:00:00.000) ****\n > 00002 (00:00:00.500) -***\n");

    auto loaded = std::make_unique<AppState>();
    MemoryGopList reloaded;
    ASSERT_TRUE(loadProject(path, *loaded, reloaded, ui));
    EXPECT_EQ(reloaded.lines(), list.lines());
    EXPECT_EQ(loaded->gopLines.text(1), list.line(1));
    EXPECT_EQ(loaded->gopLines.timeMs(1), 500);  // derived from the stored line
    EXPECT_EQ(reloaded.sizeLabel(), "ｻｲｽﾞ: 1.500 GB");
    EXPECT_EQ(loaded->settings.lastSourceFolder, "/ソース/フォルダ");
    EXPECT_EQ(loaded->inputFiles.filePath[1], "/dvd/日本語/VTS_01_2.VOB");
    EXPECT_EQ(loaded->gopTable.startSector, state->gopTable.startSector);
    EXPECT_EQ(loaded->chapterInfo.cellIsEntry, state->chapterInfo.cellIsEntry);
    EXPECT_TRUE(loaded->sourceOptions.interleaveCheck);
    EXPECT_EQ(loaded->sourceOptions.chapterMethod, ChapterMethod::CountCells);
}

TEST_F(Project, ZeroGopsIsExactlyTheHeaderAndTheRecord) {
    auto empty = std::make_unique<AppState>();
    MemoryGopList none;
    ASSERT_TRUE(saveProject(dir.file("e.prj"), *empty, ui));
    EXPECT_EQ(std::filesystem::file_size(dir.file("e.prj")), 826855u);
    ASSERT_TRUE(loadProject(dir.file("e.prj"), *empty, list, ui));
    EXPECT_EQ(list.count(), 0);
    EXPECT_EQ(list.sizeLabel(), "ｻｲｽﾞ: 0.000 GB");
}

TEST_F(Project, PathsThatShiftJisCannotHoldAreRefusedBeforeAnythingIsWritten) {
    for (const std::string& bad :
         {"/dvd/" + std::string(255, 'x'), std::string("/dvd/😀/VTS_01_1.VOB")}) {
        auto state = distinctState();
        state->inputFiles.filePath[1] = bad;
        ui.messages.clear();
        EXPECT_FALSE(saveProject(dir.file("bad.prj"), *state, ui));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(bad + "\n", 0), 0u);
        EXPECT_FALSE(std::filesystem::exists(dir.file("bad.prj")));
    }
    auto fits = distinctState();
    fits->inputFiles.filePath[1] = "/" + std::string(258, 'x');  // 259 bytes
    EXPECT_TRUE(saveProject(dir.file("fits.prj"), *fits, ui));
}

TEST_F(Project, LoadMessages) {
    auto state = distinctState();
    ASSERT_TRUE(saveProject(dir.file("good.prj"), *state, ui));
    const std::string good = test::readFile(dir.file("good.prj"));
    const auto variant = [&](const std::string& name, std::string bytes) {
        test::writeBytes(dir.file(name), bytes);
        return dir.file(name);
    };
    const std::string otherTag = variant("tag.prj", "VELMORIM" + good.substr(8));
    const std::string otherKind = variant("kind.prj", good.substr(0, 12) + "HST" + good.substr(15));
    const std::string otherVersion = variant("version.prj", "VELMORIN0200PRJ" + good.substr(15));
    const std::string headerOnly = variant("short.prj", good.substr(0, 15));
    std::string counts = good;
    writeLe32(reinterpret_cast<std::uint8_t*>(counts.data()) + 0x15D3, 131072);
    const std::string tooManyGops = variant("gops.prj", counts);
    counts = good;
    counts[0x815D7 + 1] = 9;  // a GOP in file 10 of 2
    const std::string badFileIndex = variant("index.prj", counts);
    counts = good;
    writeLeDouble(reinterpret_cast<std::uint8_t*>(counts.data()) + 0xC97D7 + 8, -1.0);
    const std::string badFileSize = variant("size.prj", counts);

    ui.messages.clear();
    for (const auto& path : {dir.file("missing.prj"), otherTag, otherKind, otherVersion,
                             tooManyGops, badFileIndex, badFileSize}) {
        auto target = distinctState();
        EXPECT_FALSE(loadProject(path, *target, list, ui));
        EXPECT_EQ(target->inputFiles.fileCount, 2) << path;  // unchanged
    }
    EXPECT_EQ(
        ui.messages,
        (std::vector<test::UiMessage>{
            {"error", "プロジェクトファイルが開けません."},
            {"error", "プロジェクトの形式が異常です."},
            {"error", "プロジェクトの形式が異常です."},
            {"error",
             "プロジェクトの形式が異常です.\n異なるバージョンのプロジェクトは使用できません."},
            {"error", "プロジェクトの形式が異常です."},
            {"error", "プロジェクトの形式が異常です."},
            {"error", "プロジェクトの形式が異常です."},
        }));
    EXPECT_EQ(list.count(), 2);

    auto zeroed = distinctState();
    ui.messages.clear();
    EXPECT_FALSE(loadProject(headerOnly, *zeroed, list, ui));
    EXPECT_EQ(
        ui.messages,
        (std::vector<test::UiMessage>{{"error", "プロジェクトの読み込みでエラーが発生しました."}}));
    EXPECT_EQ(zeroed->inputFiles.fileCount, 0);
    EXPECT_EQ(zeroed->settings.playerPath, "");
    EXPECT_EQ(zeroed->settings.playTimeIndex, 0);
    EXPECT_FALSE(zeroed->sourceOptions.fastRead);
    EXPECT_EQ(list.count(), 2);  // the list stays
}

TEST_F(Project, MissingListLinesLoadAsEmptyLines) {
    auto state = distinctState();
    ASSERT_TRUE(saveProject(dir.file("a.prj"), *state, ui));
    std::filesystem::resize_file(dir.file("a.prj"), 826855 + 10);
    ASSERT_TRUE(loadProject(dir.file("a.prj"), *state, list, ui));
    EXPECT_EQ(list.lines(),
              (std::vector<std::string>{" >*00001 ", ""}));  // the cut line loses its last byte
}

TEST_F(Project, ReadOnlyFolderCannotTakeANewProject) {
    const std::string folder = dir.file("ro");
    std::filesystem::create_directory(folder);
    auto state = distinctState();
    {
        test::ReadOnlyFile readOnly(folder);
        if (!readOnly.holds()) GTEST_SKIP() << test::ReadOnlyFile::kNotHeldReason;
        EXPECT_FALSE(saveProject(test::pathIn(folder, "a.prj"), *state, ui));
    }
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{{"error", "プロジェクトファイルが作成できません."}}));
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

}  // namespace
}  // namespace velmorin
