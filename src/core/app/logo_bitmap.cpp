#include "app/logo_bitmap.h"

#include <algorithm>

#include "common/little_endian.h"
#include "platform/binary_file.h"

namespace velmorin {

namespace {

constexpr std::size_t kHeaderBytes = 14 + 40;

}  // namespace

LogoBitmap loadLogoBitmap(const std::string& path) {
    LogoBitmap bitmap;
    BinaryFile file = BinaryFile::open(path, BinaryFile::Mode::Read);
    if (!file.isOpen()) return bitmap;

    std::uint8_t header[kHeaderBytes];
    if (file.read(header, sizeof header) != sizeof header) return bitmap;
    const std::uint8_t* info = header + 14;
    const std::uint32_t compression = readLe32(info + 16);
    if (header[0] != 'B' || header[1] != 'M' || compression > 1) return bitmap;
    bitmap.loaded = true;

    // Width and height are signed in the file; 64-bit arithmetic keeps a hostile header
    // from wrapping, and nothing beyond the bitmap's own bytes is ever read into it.
    const auto width = static_cast<std::int32_t>(readLe32(info + 4));
    const auto height = static_cast<std::int32_t>(readLe32(info + 8));
    const std::uint32_t coloursUsed = readLe32(info + 32);
    const std::uint32_t colourCount = coloursUsed == 0 || coloursUsed > 256 ? 256 : coloursUsed;

    std::uint8_t table[256 * 4];
    const std::size_t tableBytes = file.read(table, colourCount * 4);
    for (std::size_t i = 0; i < tableBytes / 4; ++i) {
        const std::uint8_t* entry = table + 4 * i;  // blue, green, red, reserved
        bitmap.colours[i] = std::uint32_t{entry[2]} << 16 | std::uint32_t{entry[1]} << 8 | entry[0];
    }
    if (tableBytes < colourCount * 4) return bitmap;

    const std::int64_t stride = (std::int64_t{width} + 3) / 4 * 4;
    const std::int64_t rowBytes = stride * height;
    if (rowBytes <= 0) return bitmap;
    const auto wanted =
        static_cast<std::size_t>(std::min<std::int64_t>(rowBytes, LogoBitmap::kPixelBytes));
    file.read(bitmap.pixels.data(), wanted);
    return bitmap;
}

}  // namespace velmorin
