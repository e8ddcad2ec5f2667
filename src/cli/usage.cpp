#include "usage.h"

#include <cstdio>

#include "exit_status.h"

namespace velmorin::cli {

namespace {

constexpr const char* kToolUsage =
    "usage: velmorin-cli SUBCOMMAND [ARGS]\n"
    "\n"
    "Silences stretches of audio inside DVD-Video VOB files, in place.\n"
    "\n"
    "subcommands:\n"
    "  scan     scan a title and print its GOP list\n"
    "\n"
    "velmorin-cli SUBCOMMAND --help describes each subcommand.\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage, 3 a question needed an answer.\n";

constexpr const char* kScanUsage =
    "usage: velmorin-cli scan FILE.VOB... [--full] [--json] [--answer yes|no]\n"
    "\n"
    "Scans the VOB files of one title, in playback order, and prints one line per GOP\n"
    "(VOBU) as the program's list shows it, then the size label.\n"
    "\n"
    "  --full            read every sector (default: jump from VOBU to VOBU)\n"
    "  --json            print one JSON document instead of the list\n"
    "  --answer yes|no   answer every question of the run (a damaged pack header)\n";

const char* usageOf(const std::string& subcommand) {
    return subcommand == "scan" ? kScanUsage : kToolUsage;
}

}  // namespace

int printUsage(const std::string& subcommand) {
    std::fputs(usageOf(subcommand), stdout);
    return kExitOk;
}

int usageError(const std::string& subcommand, const std::string& problem) {
    std::fprintf(stderr, "velmorin-cli: %s\n\n%s", problem.c_str(), usageOf(subcommand));
    return kExitUsage;
}

}  // namespace velmorin::cli
