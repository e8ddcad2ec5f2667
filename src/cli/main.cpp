// velmorin-cli: the command-line front end over the same core as the desktop program.
#include <string>
#include <vector>

#include "extract_subcommand.h"
#include "logo_subcommand.h"
#include "mute_subcommand.h"
#include "preview_subcommand.h"
#include "project_subcommand.h"
#include "scan_command.h"
#include "settings_subcommand.h"
#include "titles_subcommand.h"
#include "usage.h"

int main(int argc, char** argv) {
    using namespace velmorin::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usageError("", "no subcommand given");
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") return printUsage("");
    if (command == "scan") return runScanCommand(rest);
    if (command == "mute") return runMuteSubcommand(rest);
    if (command == "titles") return runTitlesSubcommand(rest);
    if (command == "project") return runProjectSubcommand(rest);
    if (command == "extract") return runExtractSubcommand(rest);
    if (command == "preview") return runPreviewSubcommand(rest);
    if (command == "settings") return runSettingsSubcommand(rest, argv[0]);
    if (command == "logo") return runLogoSubcommand(rest);
    return usageError("", "unknown subcommand " + command);
}
