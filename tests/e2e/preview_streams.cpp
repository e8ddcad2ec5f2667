#include "preview_streams.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "pack_builder.h"
#include "preview/conversion.h"
#include "support/run_command.h"

namespace velmorin::test {

namespace {

std::filesystem::path cacheFolder() {
    const auto folder =
        std::filesystem::path(VELMORIN_SAMPLE_DISC).parent_path() / "preview-streams";
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

std::string makePreviewStream(const std::string& name, const std::string& size,
                              const std::string& rate, const std::string& videoOptions) {
    const auto path = cacheFolder() / (name + ".vob");
    std::error_code ec;
    if (std::filesystem::file_size(path, ec) > 0 && !ec) return path.string();
    // Tests run in parallel processes: each makes its own partial file and renames it.
    const auto partial = cacheFolder() / (name + ".partial" + std::to_string(::getpid()) + ".vob");
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y -threads 1 -f lavfi -i " +
        shellQuoted("testsrc2=size=" + size + ":rate=" + rate + ":duration=0.3") +
        " -an -c:v mpeg2video -g 6 -bf 2 -b:v 6M -maxrate 9M -bufsize 1835k " + videoOptions +
        " -fflags +bitexact -flags:v +bitexact -f dvd -muxrate 10080000 -packetsize 2048 " +
        shellQuoted(partial.string());
    const CommandResult made = runCommand(command);
    if (made.status != 0) return {};
    std::filesystem::rename(partial, path, ec);
    return ec ? std::string() : path.string();
}

std::optional<YuvPicture> ffmpegPicture(const std::string& stream, int width, int height,
                                        int index) {
    TempDir dir;
    const std::string out = dir.file("first.yuv");
    const CommandResult r = runCommand(
        "ffmpeg -nostdin -hide_banner -loglevel error -y -threads 1 -i " + shellQuoted(stream) +
        " -vf " + shellQuoted("select=eq(n\\," + std::to_string(index) + ")") +
        " -frames:v 1 -f rawvideo -pix_fmt yuv420p " + shellQuoted(out));
    if (r.status != 0) return std::nullopt;
    const std::string bytes = readFile(out);
    const std::size_t lumaSize = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    const std::size_t chromaSize = lumaSize / 4;
    if (bytes.size() != lumaSize + 2 * chromaSize) return std::nullopt;
    YuvPicture p;
    p.width = width;
    p.height = height;
    p.y.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(lumaSize));
    p.cb.assign(bytes.begin() + static_cast<std::ptrdiff_t>(lumaSize),
                bytes.begin() + static_cast<std::ptrdiff_t>(lumaSize + chromaSize));
    p.cr.assign(bytes.begin() + static_cast<std::ptrdiff_t>(lumaSize + chromaSize), bytes.end());
    return p;
}

preview::PreviewImage previewOf(const YuvPicture& picture, bool interlacedChroma,
                                const preview::PreviewImage& background) {
    preview::PreviewImage image = background;
    const int w = std::min(picture.width, 720);
    const int h = std::min(picture.height, 480);
    const int sx = w > 360 ? 2 : 1;
    const int sy = h > 240 ? 2 : 1;
    const int alignedLines = (picture.height + 15) / 16 * 16;
    for (int d = 0, row = 0; d < h; d += sy, ++row) {
        const int line = alignedLines - 1 - d;  // store rows count from the bottom
        const int chromaLine = interlacedChroma ? ((line / 2) & ~1) + (line & 1) : line / 2;
        for (int f = 0, x = 0; f < w; f += sx, ++x) {
            const std::size_t c =
                static_cast<std::size_t>(chromaLine) * static_cast<std::size_t>(picture.width / 2) +
                static_cast<std::size_t>(f / 2);
            preview::convertPixel(
                picture.y[static_cast<std::size_t>(line) * static_cast<std::size_t>(picture.width) +
                          static_cast<std::size_t>(f)],
                picture.cb[c] - 128, picture.cr[c] - 128, image.row(row) + 3 * x);
        }
    }
    return image;
}

std::string videoElementaryStream(const std::string& ps) {
    std::string es;
    for (std::size_t at = 0; at + 2048 <= ps.size(); at += 2048) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(ps.data() + at);
        if (ps.compare(at, 4, "\x00\x00\x01\xBA", 4) != 0 ||
            ps.compare(at + 14, 4, "\x00\x00\x01\xE0", 4) != 0)
            continue;
        const std::size_t begin = 23 + p[22];
        const std::size_t end = 20 + ((std::size_t{p[18]} << 8) | p[19]);
        es += ps.substr(at + begin, end - begin);
    }
    return es;
}

std::string videoPacks(const std::string& es) {
    std::string out;
    for (std::size_t at = 0; at < es.size(); at += 2025) {
        const std::size_t n = std::min<std::size_t>(2025, es.size() - at);
        std::string pack("\x00\x00\x01\xBA\x44\x00\x04\x00\x04\x01\x01\x89\xC3\xF8\x00\x00\x01\xE0",
                         18);
        pack += static_cast<char>((3 + n) >> 8);
        pack += static_cast<char>((3 + n) & 0xFF);
        pack += std::string("\x81\x00\x00", 3);
        pack += es.substr(at, n);
        pack.resize(2048, '\0');
        out += pack;
    }
    return out;
}

std::vector<std::size_t> startCodes(const std::string& es, std::uint8_t value) {
    std::vector<std::size_t> at;
    for (std::size_t i = 0; i + 3 < es.size(); ++i)
        if (es[i] == 0 && es[i + 1] == 0 && es[i + 2] == 1 &&
            static_cast<std::uint8_t>(es[i + 3]) == value)
            at.push_back(i);
    return at;
}

double psnr(const preview::PreviewImage& a, const preview::PreviewImage& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const double d = double(a.pixels[i]) - double(b.pixels[i]);
        sum += d * d;
    }
    if (sum == 0) return 99;
    const double mse = sum / double(a.pixels.size());
    return 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace velmorin::test
