#include "logo_subcommand.h"

#include <cstdio>
#include <memory>

#include "app/logo_bitmap.h"
#include "common/bmp_file.h"
#include "exit_status.h"
#include "platform/binary_file.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

// The picture as a 24-bit BMP file, its colour indexes looked up.
std::vector<std::uint8_t> bmpBytes(const LogoBitmap& logo) {
    std::vector<std::uint8_t> bgr;
    bgr.reserve(3 * logo.pixels.size());
    for (const std::uint8_t index : logo.pixels) {
        const std::uint32_t colour = logo.colours[index];
        bgr.insert(bgr.end(),
                   {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
                    static_cast<std::uint8_t>(colour >> 16)});
    }
    return bmp24Bytes(LogoBitmap::kWidth, LogoBitmap::kHeight, bgr.data());
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
    if (!writeWholeFile(target, bmpBytes(*logo))) {
        std::fprintf(stderr, "velmorin-cli: cannot write %s\n", target.c_str());
        return kExitFailed;
    }
    if (!logo->loaded) {
        std::fprintf(
            stderr,
            "velmorin-cli: %s: missing or not a usable bitmap; the start-up picture is blank\n",
            path.c_str());
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velmorin::cli
