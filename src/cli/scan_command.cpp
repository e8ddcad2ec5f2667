#include "scan_command.h"

#include <cstdio>
#include <filesystem>
#include <memory>

#include "app/app_state.h"
#include "arguments.h"
#include "common/sector_buffer.h"
#include "console_ui.h"
#include "exit_status.h"
#include "json.h"
#include "platform/binary_file.h"
#include "scan/vob_scanner.h"
#include "ui/memory_gop_list.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

std::string absolutePath(const std::string& path) {
    std::error_code error;
    const auto absolute = std::filesystem::absolute(nativePath(path), error);
    return error ? path : absolute.lexically_normal().string();
}

void printPlain(const MemoryGopList& list) {
    for (const auto& line : list.lines()) std::printf("%s\n", line.c_str());
    std::printf("%s\n", list.sizeLabel().c_str());
}

void printJson(const AppState& state, const MemoryGopList& list) {
    const auto& files = state.inputFiles;
    const auto& table = state.gopTable;
    std::printf("{\"files\":[");
    for (int j = 0; j < files.fileCount; ++j) {
        const auto i = static_cast<std::size_t>(j);
        std::printf("%s{\"path\":%s,\"size\":%.0f}", j ? "," : "", jsonQuoted(files.filePath[i]).c_str(),
                    files.fileSize[i]);
    }
    std::printf("],\n\"gops\":[");
    for (int k = 0; k < table.gopCount; ++k) {
        const auto i = static_cast<std::size_t>(k);
        std::printf("%s\n{\"number\":%d,\"file\":%d,\"sector\":%u,\"flags\":%d,\"line\":%s}", k ? "," : "",
                    k + 1, table.fileIndex[i], table.startSector[i], table.flags[i],
                    jsonQuoted(list.line(k)).c_str());
    }
    const auto end = static_cast<std::size_t>(table.gopCount);
    std::printf("],\n\"end\":{\"file\":%d,\"sector\":%u},\n\"sizeLabel\":%s}\n", table.fileIndex[end],
                table.startSector[end], jsonQuoted(list.sizeLabel()).c_str());
}

}  // namespace

int runScanCommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseScanArguments(args, problem);
    if (!parsed) return usageError("scan", problem);
    if (parsed->help) return printUsage("scan");
    if (parsed->vobFiles.size() > static_cast<std::size_t>(InputFileSet::kMaxFiles))
        return usageError("scan", "at most 128 VOB files make one title");

    auto state = std::make_unique<AppState>();
    ShellState shell;
    state->sourceOptions.fastRead = !parsed->fullRead;
    auto& files = state->inputFiles;
    for (const auto& path : parsed->vobFiles) files.filePath[static_cast<std::size_t>(files.fileCount++)] = absolutePath(path);

    ConsoleUi ui(parsed->answer);
    MemoryGopList list;
    SectorBuffer buffer;
    shell.busy = true;
    shell.cancelRequested = false;
    const bool ok = VobScanner(*state, shell, ui, list, buffer).run();
    shell.busy = false;
    if (ui.unanswered()) return kExitUnanswered;
    if (!ok) return kExitFailed;
    if (state->gopTable.gopCount == 0) {
        // The program opens such a title as an empty list; a script asking for its GOPs
        // has nothing to work on.
        std::fputs("velmorin-cli: no GOP found: the title holds no navigation pack\n", stderr);
        return kExitFailed;
    }

    if (parsed->json)
        printJson(*state, list);
    else
        printPlain(list);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace velmorin::cli
