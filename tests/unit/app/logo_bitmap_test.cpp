#include "app/logo_bitmap.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/little_endian.h"
#include "pack_builder.h"

namespace velmorin {
namespace {

// A bitmap file: the two headers, `colours` table entries and `pixelBytes` pixel bytes,
// pixel i holding i mod 251 and colour i being (red i, green 255 − i, blue 7).
std::string bitmapFile(std::int32_t width, std::int32_t height, std::uint32_t coloursUsed,
                       std::size_t colours, std::size_t pixelBytes, std::uint32_t compression = 0) {
    std::string file(54, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(file.data());
    p[0] = 'B';
    p[1] = 'M';
    writeLe32(p + 14, 40);
    writeLe32(p + 18, static_cast<std::uint32_t>(width));
    writeLe32(p + 22, static_cast<std::uint32_t>(height));
    writeLe32(p + 30, compression);
    writeLe32(p + 46, coloursUsed);
    for (std::size_t i = 0; i < colours; ++i) file += {char(7), char(255 - i), char(i), '\0'};
    for (std::size_t i = 0; i < pixelBytes; ++i) file += char(i % 251);
    return file;
}

LogoBitmap loadBytes(const std::string& bytes) {
    test::TempDir dir;
    test::writeBytes(dir.file("LOGO.BMP"), bytes);
    return loadLogoBitmap(dir.file("LOGO.BMP"));
}

bool blank(const LogoBitmap& b) {
    for (auto c : b.colours)
        if (c) return false;
    for (auto p : b.pixels)
        if (p) return false;
    return true;
}

TEST(LogoBitmap, ReadsA320By200PictureWithItsColours) {
    const LogoBitmap b = loadBytes(bitmapFile(320, 200, 0, 256, 64000));
    EXPECT_TRUE(b.loaded);
    EXPECT_EQ(b.colours[0], 0x00FF07u);
    EXPECT_EQ(b.colours[200], 0xC83707u);  // red 200, green 55, blue 7
    EXPECT_EQ(b.pixels[0], 0);
    EXPECT_EQ(b.pixels[63999], 63999 % 251);
}

TEST(LogoBitmap, ColourCountFromTheHeader) {
    // 16 colours used: the pixel rows start right after a 64-byte table.
    const LogoBitmap few = loadBytes(bitmapFile(320, 200, 16, 16, 64000));
    EXPECT_EQ(few.colours[15], 0x0FF007u);
    EXPECT_EQ(few.colours[16], 0u);
    EXPECT_EQ(few.pixels[1], 1);
    // Above 256 means 256.
    const LogoBitmap many = loadBytes(bitmapFile(320, 200, 1000, 256, 64000));
    EXPECT_EQ(many.colours[255], 0xFF0007u);
    EXPECT_EQ(many.pixels[1], 1);
}

TEST(LogoBitmap, UnusableFilesLeaveItBlank) {
    test::TempDir dir;
    EXPECT_TRUE(blank(loadLogoBitmap(dir.file("missing.BMP"))));
    EXPECT_FALSE(loadLogoBitmap(dir.file("missing.BMP")).loaded);
    std::filesystem::create_directory(dir.file("LOGO.BMP"));
    EXPECT_TRUE(blank(loadLogoBitmap(dir.file("LOGO.BMP"))));

    std::string notBm = bitmapFile(320, 200, 0, 256, 64000);
    notBm[0] = 'P';
    EXPECT_TRUE(blank(loadBytes(notBm)));
    EXPECT_TRUE(blank(loadBytes(bitmapFile(320, 200, 0, 256, 64000, 2))));  // only 0 and 1 are read
    EXPECT_TRUE(blank(loadBytes(bitmapFile(320, 200, 0, 256, 64000).substr(0, 53))));
    EXPECT_TRUE(loadBytes(bitmapFile(320, 200, 0, 256, 64000, 1)).loaded);
}

TEST(LogoBitmap, NeverStoresMoreThanItsOwnBytes) {
    // A taller or wider picture fills the 64,000 bytes and stops.
    const LogoBitmap tall = loadBytes(bitmapFile(320, 100000, 0, 256, 70000));
    EXPECT_EQ(tall.pixels[63999], 63999 % 251);
    const LogoBitmap wide = loadBytes(bitmapFile(0x7FFFFFFF, 0x7FFFFFFF, 0, 256, 64000));
    EXPECT_EQ(wide.pixels[63999], 63999 % 251);
    // Negative sizes read no pixels at all; a file cut short keeps what arrived.
    EXPECT_EQ(loadBytes(bitmapFile(-320, 200, 0, 256, 64000)).pixels[1], 0);
    const LogoBitmap cut = loadBytes(bitmapFile(320, 200, 0, 256, 100));
    EXPECT_EQ(cut.pixels[99], 99);
    EXPECT_EQ(cut.pixels[100], 0);
    const LogoBitmap noTable = loadBytes(bitmapFile(320, 200, 0, 10, 0));
    EXPECT_EQ(noTable.colours[9], 0x09F607u);
    EXPECT_EQ(noTable.colours[10], 0u);
}

}  // namespace
}  // namespace velmorin
