#include "extract_subcommand.h"

#include "exit_status.h"
#include "play/playback_command.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

int runExtractSubcommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed =
        parseArguments(args, OptionSpec{{}, {"--gop", "--count", "--to", "-o"}}, problem);
    if (!parsed) return usageError("extract", problem);
    if (parsed->help) return printUsage("extract");
    const auto gop = numberOption(*parsed, "--gop");
    const auto count = numberOption(*parsed, "--count");
    const auto to = numberOption(*parsed, "--to");
    for (const auto& [name, value] : {std::pair{"--gop", gop}, {"--count", count}, {"--to", to}})
        if (value == -1) return usageError("extract", std::string(name) + " takes a number");
    if (!gop || *gop < 1) return usageError("extract", "--gop N takes a GOP number from 1");
    if (count.has_value() == to.has_value())
        return usageError("extract", "give one of --count C and --to M");
    if ((count && *count < 1) || (to && *to < *gop))
        return usageError("extract", "the stretch holds no GOP");
    if (!parsed->values.count("-o")) return usageError("extract", "-o OUT is missing");

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    const int gopCount = session.state().gopTable.gopCount;
    if (*gop > gopCount)
        return usageError("extract",
                          "--gop N takes a GOP number from 1 to " + std::to_string(gopCount));

    // GOPs N … N+C−1 or N … M; past the last GOP the stretch runs to the end of the last file.
    const int b = *gop - 1;
    const int e = std::min(count ? b + *count : *to, gopCount);
    auto& ui = session.ui();
    const auto range = byteRangeOf(session.state(), b, e);
    if (!range) {
        ui.error(play_messages::kRangeTooLarge);
        return kExitFailed;
    }
    const std::string out = absolutePath(parsed->values.at("-o"));
    if (session.refusesAsOutput(out)) return kExitFailed;
    const auto create = [&]() -> std::optional<BinaryFile> {
        BinaryFile file = BinaryFile::create(out);
        if (!file.isOpen()) return std::nullopt;
        return file;
    };
    const CopyResult result =
        copyByteRange(session.state().inputFiles, *range, session.buffer(), create, {});
    if (result != CopyResult::Ok) {
        ui.error(play_messages::forCopyResult(result, out));
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace velmorin::cli
