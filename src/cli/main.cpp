// velmorin-cli: the command-line front end over the same core as the desktop program.
#include <string>
#include <vector>

#include "extract_subcommand.h"
#include "logo_subcommand.h"
#include "mute_subcommand.h"
#include "platform/command_line.h"
#include "platform/console_output.h"
#include "platform/program_file.h"
#include "preview_subcommand.h"
#include "project_subcommand.h"
#include "scan_command.h"
#include "settings_subcommand.h"
#include "times_subcommand.h"
#include "titles_subcommand.h"
#include "usage.h"

int main(int argc, char** argv) {
    using namespace velmorin::cli;
    velmorin::prepareStandardOutput();
    const std::vector<std::string> line = velmorin::commandLineArguments(argc, argv);
    if (line.size() < 2) return usageError("", "no subcommand given");
    const std::string& command = line[1];
    const std::vector<std::string> rest(line.begin() + 2, line.end());
    if (command == "--help" || command == "-h" || command == "help") return printUsage("");
    if (command == "--version") return printVersion();
    if (command == "scan") return runScanCommand(rest);
    if (command == "mute") return runMuteSubcommand(rest);
    if (command == "titles") return runTitlesSubcommand(rest);
    if (command == "times") return runTimesSubcommand(rest);
    if (command == "project") return runProjectSubcommand(rest);
    if (command == "extract") return runExtractSubcommand(rest);
    if (command == "preview") return runPreviewSubcommand(rest);
    if (command == "settings")
        return runSettingsSubcommand(rest, velmorin::runningProgramPath(line.front()));
    if (command == "logo") return runLogoSubcommand(rest);
    return usageError("", "unknown subcommand " + command);
}
