#include "logo_subcommand.h"

#include <cstdio>
#include <memory>

#include "app/logo_bitmap.h"
#include "common/little_endian.h"
#include "exit_status.h"
#include "platform/binary_file.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

// The picture as a 24-bit BMP file: a 54-byte header, then the 320 × 200 rows bottom row
// first (as the picture keeps them), each pixel blue, green, red. 960 bytes a row need no
// padding.
std::vector<std::uint8_t> bmpBytes(const LogoBitmap& logo) {
    constexpr std::uint32_t kHeaderSize = 54;
    constexpr std::uint32_t kRowBytes = 3 * LogoBitmap::kWidth;
    constexpr std::uint32_t kImageSize = kRowBytes * LogoBitmap::kHeight;
    std::vector<std::uint8_t> out(kHeaderSize + kImageSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    writeLe32(out.data() + 2, kHeaderSize + kImageSize);
    writeLe32(out.data() + 10, kHeaderSize);
    writeLe32(out.data() + 14, 40);
    writeLe32(out.data() + 18, LogoBitmap::kWidth);
    writeLe32(out.data() + 22, LogoBitmap::kHeight);  // positive: bottom row first
    out[26] = 1;                                       // planes
    out[28] = 24;                                      // bits per pixel
    writeLe32(out.data() + 34, kImageSize);
    std::uint8_t* pixel = out.data() + kHeaderSize;
    for (const std::uint8_t index : logo.pixels) {
        const std::uint32_t colour = logo.colours[index];
        *pixel++ = static_cast<std::uint8_t>(colour);
        *pixel++ = static_cast<std::uint8_t>(colour >> 8);
        *pixel++ = static_cast<std::uint8_t>(colour >> 16);
    }
    return out;
}

bool writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    BinaryFile file = BinaryFile::create(path);
    if (!file.isOpen()) return false;
    const bool written = file.write(bytes.data(), bytes.size());
    return file.close() && written;
}

}  // namespace

int runLogoSubcommand(const std::vector<std::string>& args) {
    std::vector<std::string> files;
    std::string out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") return printUsage("logo");
        if (a == "-o") {
            if (i + 1 >= args.size()) return usageError("logo", "-o needs a value");
            out = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError("logo", "unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 1 || files[0].empty()) return usageError("logo", "give one FILE");
    if (out.empty()) return usageError("logo", "-o OUT.bmp is missing");

    const std::string path = absolutePath(files[0]);
    const auto logo = std::make_unique<LogoBitmap>(loadLogoBitmap(path));
    const std::string target = absolutePath(out);
    if (!writeFile(target, bmpBytes(*logo))) {
        std::fprintf(stderr, "velmorin-cli: cannot write %s\n", target.c_str());
        return kExitFailed;
    }
    if (!logo->loaded) {
        std::fprintf(stderr, "velmorin-cli: %s: missing or not a usable bitmap; the start-up picture is blank\n",
                     path.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velmorin::cli
