#include "dvd/title_table.h"

#include <gtest/gtest.h>

#include "common/byte_order.h"
#include "common/path_text.h"
#include "fake_platform.h"
#include "pack_builder.h"
#include "platform/native_path.h"
#include "scripted_ui.h"

namespace velmorin {
namespace {

std::string vmgi(std::size_t size, std::uint16_t titles) {
    std::string bytes(size, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    writeBe16(p + 0x800, titles);
    for (std::uint16_t i = 0; i < titles && 0x808u + 12u * i + 12u <= size; ++i) {
        std::uint8_t* e = p + 0x808 + 12 * i;
        e[1] = 1;                                              // angles
        writeBe16(e + 2, static_cast<std::uint16_t>(i + 10));  // chapters
        e[6] = static_cast<std::uint8_t>(i / 2 + 1);           // title set
        e[7] = static_cast<std::uint8_t>(i % 2 + 1);           // title in the set
    }
    return bytes;
}

TEST(TitleTable, LinesForEveryTitleWithinTheBytesRead) {
    const std::string bytes = vmgi(4096, 3);
    const auto lines = titleInformationLines(
        ByteReader(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], " ﾀｲﾄﾙ03: [VTS番号: 2  VTS内ﾀｲﾄﾙ番号: 1  ｱﾝｸﾞﾙ数: 1  ﾁｬﾌﾟﾀｰ数:12]");

    // A count that runs past the file: only whole entries are listed.
    const std::string cut = vmgi(0x808 + 12 * 2 + 5, 300);
    EXPECT_EQ(titleInformationLines(
                  ByteReader(reinterpret_cast<const std::uint8_t*>(cut.data()), cut.size()))
                  .size(),
              2u);
}

TEST(TitleTable, FileMessages) {
    test::TempDir dir;
    test::FakePlatform fs;
    ShellState shell;
    test::ScriptedUi ui(shell);
    EXPECT_FALSE(readTitleInformation(dir.path(), ui, fs));

    test::writeBytes(dir.file("video_ts.ifo"), vmgi(4095, 1));  // lower case, as on a mounted disc
    fs.add(dir.file("video_ts.ifo"));
    EXPECT_FALSE(readTitleInformation(dir.path(), ui, fs));
    EXPECT_EQ(ui.messages,
              (std::vector<test::UiMessage>{{"error", "VIDEO_TS.VOBが見つかりません."},
                                            {"error", "タイトル情報が見つかりません."}}));

    test::writeBytes(dir.file("video_ts.ifo"), vmgi(4096, 0));
    const auto none = readTitleInformation(dir.path() + kFolderSeparator, ui, fs);
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->empty());
}

}  // namespace
}  // namespace velmorin
