#include "titles_subcommand.h"

#include <cstdio>

#include "console_ui.h"
#include "dvd/title_table.h"
#include "exit_status.h"
#include "platform/platform.h"
#include "usage.h"

namespace velmorin::cli {

int runTitlesSubcommand(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) return printUsage("titles");
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-')
        return usageError("titles", "give one FOLDER");
    ConsoleUi ui(std::nullopt);
    const auto lines = readTitleInformation(args[0], ui, systemPlatform());
    if (!lines) return kExitFailed;
    for (const auto& line : *lines) std::printf("%s\n", line.c_str());
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace velmorin::cli
