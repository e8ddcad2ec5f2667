#include "platform/native_path.h"

#include <gtest/gtest.h>

#include "pack_builder.h"
#include "platform/binary_file.h"
#include "platform/console_output.h"
#include "platform/platform.h"

namespace velmorin {
namespace {

// Names outside the ANSI code page, through the path type, the disk and the folder search.
TEST(NativePath, KeepsUtf8NamesThroughTheFolderSearch) {
    test::TempDir dir;
    const std::string folder = dir.file("映像 フォルダ");
    const std::string file = withTrailingSeparator(folder) + "ﾀｲﾄﾙ 1.VOB";
    EXPECT_EQ(utf8Path(nativePath(file).filename()), "ﾀｲﾄﾙ 1.VOB");
    std::filesystem::create_directory(nativePath(folder));
    ASSERT_TRUE(writeWholeFile(file, {}));
    EXPECT_EQ(findFiles(systemPlatform(), folder, "*.vob"), std::vector<std::string>{"ﾀｲﾄﾙ 1.VOB"});
}

TEST(ConsoleOutput, LineEndsReachTheFileUnchanged) {
    test::TempDir dir;
    std::FILE* out = std::fopen(dir.file("out.txt").c_str(), "w");
    writeBytesUnchanged(out);
    std::fputs("a\nb\n", out);
    std::fclose(out);
    EXPECT_EQ(test::readFile(dir.file("out.txt")), "a\nb\n");
}

}  // namespace
}  // namespace velmorin
