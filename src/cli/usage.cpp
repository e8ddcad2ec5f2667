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
    "  mute     apply an audio pattern to GOPs, in place\n"
    "  titles   list the disc's titles from FOLDER/VIDEO_TS.IFO\n"
    "  project  save the state of a title as a project file\n"
    "  extract  copy a stretch of GOPs, byte for byte, as playback does\n"
    "  preview  write the preview image of a GOP's first picture as a BMP file\n"
    "\n"
    "A title (SRC) is FILE.VOB... in playback order; or --vtsi VTS_nn_0.IFO, which\n"
    "finds the title set's VOB files and chapter starts (--chapters sector|cells picks\n"
    "the chapter method, -E warns of interleaved cells); or --project FILE.prj, whose\n"
    "saved state is loaded instead of scanning.\n"
    "\n"
    "velmorin-cli SUBCOMMAND --help describes each subcommand.\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage, 3 a question needed an answer.\n";

constexpr const char* kScanUsage =
    "usage: velmorin-cli scan SRC [--full] [--json] [--answer yes|no]\n"
    "       SRC: FILE.VOB... | --vtsi VTS_nn_0.IFO [--chapters sector|cells] [-E] | --project FILE\n"
    "\n"
    "Scans the VOB files of one title, in playback order, and prints one line per GOP\n"
    "(VOBU) as the program's list shows it, then the size label.\n"
    "\n"
    "  --full            read every sector (default: jump from VOBU to VOBU)\n"
    "  --json            print one JSON document instead of the list\n"
    "  --answer yes|no   answer every question of the run (a damaged pack header)\n";

constexpr const char* kMuteUsage =
    "usage: velmorin-cli mute SRC --pattern P (--gop N | --gops N-M | --time FROM-TO)\n"
    "                         [--full] [--answer yes|no]\n"
    "\n"
    "Applies an audio pattern to GOPs in the VOB files, in place, exactly as the pattern\n"
    "buttons do, and prints each changed GOP's new list line. Stops at the first failure.\n"
    "\n"
    "  --pattern P       -*** --** ---* ---- **** ***- **-- *--- or their numbers 1 2 3 4 0 5 6 7\n"
    "  --gop N           GOP number N (as the list shows it, from 1)\n"
    "  --gops N-M        GOPs N to M, one after the other\n"
    "  --time FROM-TO    every GOP whose time code lies in [FROM, TO), hh:mm:ss.mmm\n"
    "  --full            scan every sector first (default: jump from VOBU to VOBU)\n"
    "  --answer yes|no   answer every question (a damaged pack header; an existing\n"
    "                    padding stream: yes abandons the change)\n";

constexpr const char* kTitlesUsage =
    "usage: velmorin-cli titles FOLDER\n"
    "\n"
    "Prints one line per title of FOLDER/VIDEO_TS.IFO: the title set that holds it, its\n"
    "number in that set, its angles and its chapters.\n";

constexpr const char* kProjectUsage =
    "usage: velmorin-cli project SRC --save FILE.prj [--full] [--answer yes|no]\n"
    "\n"
    "Scans (or loads) the title and saves its state and GOP list as a project file.\n";

constexpr const char* kExtractUsage =
    "usage: velmorin-cli extract SRC --gop N (--count C | --to M) -o OUT [--full] [--answer yes|no]\n"
    "\n"
    "Copies GOPs N … N+C-1, or N … M, byte for byte into OUT, exactly the stretch that\n"
    "playback copies into its working file (at most 1 GiB; a stretch past the last GOP\n"
    "runs to the end of the last file).\n";

constexpr const char* kPreviewUsage =
    "usage: velmorin-cli preview SRC (--gop N -o OUT.bmp | --all -o DIR) [--full] [--answer yes|no]\n"
    "\n"
    "Decodes the first picture of GOP N exactly as the preview window does and writes the\n"
    "360 x 240 preview image as a 24-bit BMP file. --all writes DIR/gop000001.bmp ... for\n"
    "every GOP. A GOP whose decode writes no image (a picture of 240 lines or fewer, a GOP\n"
    "that ends before its second picture, a failure) is reported and gives exit status 1.\n";

const char* usageOf(const std::string& subcommand) {
    if (subcommand == "preview") return kPreviewUsage;
    if (subcommand == "extract") return kExtractUsage;
    if (subcommand == "project") return kProjectUsage;
    if (subcommand == "titles") return kTitlesUsage;
    if (subcommand == "scan") return kScanUsage;
    if (subcommand == "mute") return kMuteUsage;
    return kToolUsage;
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
