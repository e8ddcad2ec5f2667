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
    "  mute     apply an audio pattern to GOPs, or silence spans of title time, in place\n"
    "  times    print the title time of every GOP's pictures and audio quarters\n"
    "  titles   list the disc's titles from FOLDER/VIDEO_TS.IFO\n"
    "  project  save the state of a title as a project file\n"
    "  extract  copy a stretch of GOPs, byte for byte, as playback does\n"
    "  preview  write the preview image of a GOP's first picture as a BMP file\n"
    "  settings print the settings the program would start with from a settings file,\n"
    "           or where the program keeps its files\n"
    "  logo     write the start-up picture the program would show as a BMP file\n"
    "\n"
    "A title (SRC) is FILE.VOB... in playback order; or --vtsi VTS_nn_0.IFO, which\n"
    "finds the title set's VOB files and chapter starts (--chapters sector|cells picks\n"
    "the chapter method, -E warns of interleaved cells); or --project FILE.prj, whose\n"
    "saved state is loaded instead of scanning.\n"
    "\n"
    "velmorin-cli SUBCOMMAND --help describes each subcommand; velmorin-cli --version\n"
    "prints the version and the licence (GPL-3.0-or-later).\n"
    "Exit status: 0 done, 1 failed, 2 wrong usage, 3 a question needed an answer.\n";

constexpr const char* kScanUsage =
    "usage: velmorin-cli scan SRC [--full] [--json] [--answer yes|no]\n"
    "       SRC: FILE.VOB... | --vtsi VTS_nn_0.IFO [--chapters sector|cells] [-E] | --project "
    "FILE\n"
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
    "       velmorin-cli mute SRC (--at FROM-TO | --edl FILE | --srt FILE --words FILE\n"
    "                         [--encoding E] [--whole-cues] [--margin SECONDS]\n"
    "                         [--audio-stream N]) [--shift SECONDS] [--title N]\n"
    "                         [--dry-run] [--json] [--full] [--answer yes|no]\n"
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
    "                    padding stream: yes abandons the change)\n"
    "\n"
    "With --at, --edl and --srt no pattern is given: every GOP whose audio packets carry\n"
    "sound of a span gets the smallest pattern that silences it, merged with the pattern\n"
    "it has. Times are title times, as a player shows them: from the title's program chain\n"
    "with --vtsi, else from the first picture of the VOB files. Prints one line per GOP:\n"
    "its number, its pattern before -> after, and the title time it silences. Every span\n"
    "and file is checked before anything is written.\n"
    "\n"
    "  --at FROM-TO      the span [FROM, TO), hh:mm:ss.mmm or seconds (12.5)\n"
    "  --edl FILE        the mutes (action 1) of an edit decision list: start end action\n"
    "                    per line, in seconds; other actions are listed and skipped\n"
    "  --srt FILE        the cues of a SubRip or WebVTT file whose text holds a word or\n"
    "  --words FILE      phrase of the list (one per line; case does not matter; half- and\n"
    "                    full-width kana, hiragana and katakana alike): each listed word\n"
    "                    is placed in its cue's sound and silenced alone, from the margin\n"
    "                    before it to the margin after it. Where a word cannot be placed\n"
    "                    (no recogniser in this build or for the cue's language, a word\n"
    "                    the pronunciation dictionary lacks, nothing heard) its whole cue\n"
    "                    is silenced and a line on standard error says which and why\n"
    "  --whole-cues      silence every matching cue whole, placing no word\n"
    "  --margin SECONDS  silence before and after a placed word (default 0.1)\n"
    "  --audio-stream N  place words in audio stream N (default: the first)\n"
    "  --encoding E      the files' text without a byte order mark: utf-8 (default),\n"
    "                    cp932 or cp1252\n"
    "  --shift SECONDS   move every span: +1.5 later, -0.25 earlier\n"
    "  --title N         title N of the set given by --vtsi (default 1)\n"
    "  --dry-run         print the plan and write nothing\n"
    "  --json            print one JSON document instead of the lines; with --srt it\n"
    "                    lists each span asked for under \"spans\": from, to (seconds),\n"
    "                    cue (its number in the file), text (the listed word), placed\n"
    "                    (word or cue) and, for a whole cue, why\n"
    "\n"
    "The recogniser's model is the pocketsphinx-en-us package's, or the folder that\n"
    "VELMORIN_SPEECH_MODEL names.\n";

constexpr const char* kTimesUsage =
    "usage: velmorin-cli times SRC [--title N] [--json] [--full] [--answer yes|no]\n"
    "\n"
    "Prints the title time of every GOP of the title, one line per GOP: its number, its\n"
    "time code, the title time of its pictures, then of the audio in each quarter of its\n"
    "audio packets (the quarters the patterns silence; - for a quarter without audio).\n"
    "Title time is what a player shows: with --vtsi from the program chain of title N\n"
    "(--title, default 1), else from the first picture of the VOB files, going on across\n"
    "time stamp discontinuities.\n"
    "\n"
    "  --title N   title N of the set given by --vtsi (default 1)\n"
    "  --json      print one JSON document instead of the lines\n";

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
    "usage: velmorin-cli extract SRC --gop N (--count C | --to M) -o OUT [--full] [--answer "
    "yes|no]\n"
    "\n"
    "Copies GOPs N … N+C-1, or N … M, byte for byte into OUT, exactly the stretch that\n"
    "playback copies into its working file (at most 1 GiB; a stretch past the last GOP\n"
    "runs to the end of the last file).\n";

constexpr const char* kPreviewUsage =
    "usage: velmorin-cli preview SRC (--gop N -o OUT.bmp | --all -o DIR) [--full] [--answer "
    "yes|no]\n"
    "\n"
    "Decodes the first picture of GOP N exactly as the preview window does and writes the\n"
    "360 x 240 preview image as a 24-bit BMP file. --all writes DIR/gop000001.bmp ... for\n"
    "every GOP. A GOP whose decode writes no image (a picture of 240 lines or fewer, a GOP\n"
    "that ends before its second picture, a failure) is reported and gives exit status 1.\n";

constexpr const char* kSettingsUsage =
    "usage: velmorin-cli settings [FILE] [--json]\n"
    "\n"
    "Without FILE, prints where the desktop program beside this tool keeps its files:\n"
    "the layout (portable: everything in the program's folder, which the user may\n"
    "write; installed: the program's folder is read-only, so the settings file and\n"
    "options.txt live in the user's settings folder, the working files in the user's\n"
    "cache folder, LOGO.BMP and README.HTM in the installation's data folder), then\n"
    "settingsFile, optionsFile, workingFolder, logoFile and helpFile.\n"
    "\n"
    "Prints the settings the program would start with if FILE were its settings file\n"
    "(the 555-byte file beside the program): the last source folder, the player, the\n"
    "play-time index, the working-file and preview switches. The defaults name this\n"
    "tool's folder. FILE is never changed (the program deletes a settings file it could\n"
    "not read completely; this only reports it).\n"
    "\n"
    "  --json   print one JSON document instead of the lines\n"
    "\n"
    "Exit status 0 when FILE is a complete settings file: 555 bytes or more that start\n"
    "with the settings magic (a field the program cannot use, such as a path that is not\n"
    "Shift-JIS or a play-time index out of range, falls back to its default silently, as\n"
    "in the program). Exit status 1, with a note on standard error, when FILE is missing,\n"
    "not a regular file, unreadable, has a wrong magic or ends inside it (the defaults\n"
    "are printed), or is shorter than 555 bytes otherwise (the bytes read over the\n"
    "defaults are printed); the program\n"
    "starts silently with the settings printed in every one of these cases.\n";

constexpr const char* kLogoUsage =
    "usage: velmorin-cli logo FILE -o OUT.bmp\n"
    "\n"
    "Loads FILE exactly as the program loads LOGO.BMP for its start-up picture (an 8-bit\n"
    "bitmap of 320 x 200 with its colour table) and writes the picture it would show as\n"
    "a 24-bit BMP file of 320 x 200. A file cut short after its 54-byte header keeps\n"
    "what was read, as in the program: exit status 0. A file that is missing or not\n"
    "usable (shorter than its header, no \"BM\", a compression other than 0 or 1) still\n"
    "gives the blank picture in OUT.bmp, is reported on standard error and gives exit\n"
    "status 1.\n";

const char* usageOf(const std::string& subcommand) {
    if (subcommand == "settings") return kSettingsUsage;
    if (subcommand == "logo") return kLogoUsage;
    if (subcommand == "preview") return kPreviewUsage;
    if (subcommand == "extract") return kExtractUsage;
    if (subcommand == "project") return kProjectUsage;
    if (subcommand == "titles") return kTitlesUsage;
    if (subcommand == "scan") return kScanUsage;
    if (subcommand == "mute") return kMuteUsage;
    if (subcommand == "times") return kTimesUsage;
    return kToolUsage;
}

constexpr const char* kVersion =
    "velmorin-cli " VELMORIN_VERSION
    "\n"
    "Copyright 2026 The Velmorin developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later "
    "<https://www.gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

}  // namespace

int printUsage(const std::string& subcommand) {
    std::fputs(usageOf(subcommand), stdout);
    return kExitOk;
}

int usageError(const std::string& subcommand, const std::string& problem) {
    std::fprintf(stderr, "velmorin-cli: %s\n\n%s", problem.c_str(), usageOf(subcommand));
    return kExitUsage;
}

int printVersion() {
    std::fputs(kVersion, stdout);
    return kExitOk;
}

}  // namespace velmorin::cli
