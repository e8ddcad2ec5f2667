#include "platform/binary_file.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "pack_builder.h"

namespace velmorin {
namespace {

constexpr std::uint64_t kTwoGigabytes = 2147483648ull;
constexpr std::uint64_t kFourGigabytes = 4294967296ull;

// The 4 bytes at `offset`, by seek and read, checked against a positional read.
std::string readAt(const std::string& path, std::uint64_t offset) {
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    std::array<char, 4> positional{};
    const std::string atOffset(positional.data(),
                               file.readAt(offset, positional.data(), positional.size()));
    if (!file.isOpen() || !file.seek(offset)) return "no seek";
    std::array<char, 4> bytes{};
    const std::string read(bytes.data(), file.read(bytes.data(), bytes.size()));
    return read == atOffset ? read : "readAt gave " + atOffset;
}

// Offsets past 2 GiB and 4 GiB must reach the file as they are: with a 32-bit file offset
// they would fail or wrap round onto the start of the file. The file is sparse, so it
// needs no disk space.
TEST(BinaryFile, SeeksPastTwoAndFourGigabytesWithoutWrapping) {
    test::TempDir dir;
    const std::string path = dir.file("BIG.VOB");
    test::writeBytes(path, std::string(8192, '\0'));
    {
        BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Update);
        ASSERT_TRUE(file.isOpen());
        ASSERT_TRUE(file.seek(kTwoGigabytes + 2048));
        ASSERT_TRUE(file.write("2GB!", 4));
        ASSERT_TRUE(file.seek(kFourGigabytes + 4096));
        ASSERT_TRUE(file.write("4GB!", 4));
        ASSERT_TRUE(file.close());
    }
    EXPECT_EQ(regularFileSize(path), kFourGigabytes + 4096 + 4);
    EXPECT_EQ(readAt(path, kTwoGigabytes + 2048), "2GB!");
    EXPECT_EQ(readAt(path, kFourGigabytes + 4096), "4GB!");
    EXPECT_EQ(readAt(path, 2048), std::string(4, '\0'));
    EXPECT_EQ(readAt(path, 4096), std::string(4, '\0'));
    EXPECT_EQ(readAt(path, kFourGigabytes + 4096 + 4), "");
}

}  // namespace
}  // namespace velmorin
