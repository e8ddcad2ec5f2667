#include "preview_subcommand.h"

#include <cstdio>
#include <filesystem>

#include "common/text_format.h"
#include "exit_status.h"
#include "platform/native_path.h"
#include "preview/preview_decoder.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

// Decodes GOP k (0-based) and writes its image; false when the decode wrote no image or
// the file could not be written (both reported on standard error).
bool previewGop(TitleSession& session, preview::PreviewDecoder& decoder, int k,
                const std::string& out) {
    if (session.refusesAsOutput(out)) return false;
    const auto request =
        preview::requestForGop(session.state().inputFiles, session.state().gopTable, k);
    if (!decoder.decode(request, session.ui())) {
        std::fprintf(stderr, "velmorin-cli: GOP %d: the decode wrote no image\n", k + 1);
        return false;
    }
    if (!preview::writeBmp(decoder.image(), out)) {
        std::fprintf(stderr, "velmorin-cli: cannot write %s\n", out.c_str());
        return false;
    }
    return true;
}

}  // namespace

int runPreviewSubcommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseArguments(args, OptionSpec{{"--all"}, {"--gop", "-o"}}, problem);
    if (!parsed) return usageError("preview", problem);
    if (parsed->help) return printUsage("preview");
    const bool all = parsed->flags.count("--all") > 0;
    const auto gop = numberOption(*parsed, "--gop");
    if (all == gop.has_value()) return usageError("preview", "give one of --gop N and --all");
    if (gop == -1) return usageError("preview", "--gop takes a number");
    if (gop && *gop < 1) return usageError("preview", "--gop N takes a GOP number from 1");
    if (!parsed->values.count("-o"))
        return usageError("preview", all ? "-o DIR is missing" : "-o OUT.bmp is missing");

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    const int gopCount = session.state().gopTable.gopCount;
    if (gop && *gop > gopCount)
        return usageError("preview",
                          "--gop N takes a GOP number from 1 to " + std::to_string(gopCount));

    // One decoder for the whole run: like the preview window, it keeps its image, header
    // values and frame buffers from one GOP to the next.
    auto decoder = std::make_unique<preview::PreviewDecoder>();
    const std::string out = absolutePath(parsed->values.at("-o"));
    if (!all) return previewGop(session, *decoder, *gop - 1, out) ? kExitOk : kExitFailed;

    std::error_code ec;
    if (!std::filesystem::is_directory(nativePath(out), ec)) {
        std::fprintf(stderr, "velmorin-cli: %s is not a folder\n", out.c_str());
        return kExitFailed;
    }
    bool failed = false;
    for (int k = 0; k < gopCount; ++k) {
        const std::string file = utf8Path(nativePath(out) / formatText("gop%06d.bmp", k + 1));
        if (!previewGop(session, *decoder, k, file)) failed = true;
    }
    return failed ? kExitFailed : kExitOk;
}

}  // namespace velmorin::cli
