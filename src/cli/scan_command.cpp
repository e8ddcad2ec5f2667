#include "scan_command.h"

#include <cstdio>

#include "exit_status.h"
#include "json.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

void printPlain(const AppState& state, const MemoryGopList& list) {
    for (int k = 0; k < state.gopLines.count(); ++k) {
        const std::string_view line = state.gopLines.text(k);
        std::printf("%.*s\n", static_cast<int>(line.size()), line.data());
    }
    std::printf("%s\n", list.sizeLabel().c_str());
}

void printJson(const AppState& state, const MemoryGopList& list) {
    const auto& files = state.inputFiles;
    const auto& table = state.gopTable;
    std::printf("{\"files\":[");
    for (int j = 0; j < files.fileCount; ++j) {
        const auto i = static_cast<std::size_t>(j);
        std::printf("%s{\"path\":%s,\"size\":%.0f}", j ? "," : "",
                    jsonQuoted(files.filePath[i]).c_str(), files.fileSize[i]);
    }
    std::printf("],\n\"gops\":[");
    for (int k = 0; k < table.gopCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        std::printf("%s\n{\"number\":%d,\"file\":%d,\"sector\":%u,\"flags\":%d,\"line\":%s}",
                    k ? "," : "", k + 1, table.fileIndex[i], table.startSector[i], table.flags[i],
                    jsonQuoted(std::string(state.gopLines.text(k))).c_str());
    }
    const auto end = static_cast<std::size_t>(table.gopCount);
    std::printf("],\n\"end\":{\"file\":%d,\"sector\":%u},\n\"sizeLabel\":%s}\n",
                table.fileIndex[end], table.startSector[end], jsonQuoted(list.sizeLabel()).c_str());
}

}  // namespace

int runScanCommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseArguments(args, OptionSpec{{"--json"}, {}}, problem);
    if (!parsed) return usageError("scan", problem);
    if (parsed->help) return printUsage("scan");

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    if (parsed->flags.count("--json"))
        printJson(session.state(), session.list());
    else
        printPlain(session.state(), session.list());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace velmorin::cli
