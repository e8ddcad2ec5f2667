#include "preview/preview_image.h"

#include <algorithm>

#include "common/little_endian.h"
#include "platform/binary_file.h"

namespace velmorin::preview {

namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v) {
    writeLe32(out.data() + at, v);
}

}  // namespace

std::vector<std::uint8_t> bmpBytes(const PreviewImage& image) {
    constexpr std::uint32_t kHeaderSize = 54;
    const auto imageSize = static_cast<std::uint32_t>(image.pixels.size());
    std::vector<std::uint8_t> out(kHeaderSize + imageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, kHeaderSize + imageSize);  // file size
    put32(out, 10, kHeaderSize);             // offset of the pixels
    put32(out, 14, 40);                      // BITMAPINFOHEADER size
    put32(out, 18, PreviewImage::kWidth);
    put32(out, 22, PreviewImage::kHeight);  // positive: bottom row first
    put16(out, 26, 1);                      // planes
    put16(out, 28, 24);                     // bits per pixel
    put32(out, 30, 0);                      // no compression
    put32(out, 34, imageSize);
    std::copy(image.pixels.begin(), image.pixels.end(), out.begin() + kHeaderSize);
    return out;
}

bool writeBmp(const PreviewImage& image, const std::string& path) {
    const std::vector<std::uint8_t> bytes = bmpBytes(image);
    BinaryFile file = BinaryFile::create(path);
    if (!file.isOpen()) return false;
    const bool written = file.write(bytes.data(), bytes.size());
    return file.close() && written;
}

}  // namespace velmorin::preview
