#include "mute_subcommand.h"

#include <cstdio>

#include "exit_status.h"
#include "mute/mute_command.h"
#include "mute_by_time.h"
#include "scan/gop_line.h"
#include "span_options.h"
#include "title_session.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

std::optional<MuteState> parsePattern(const std::string& text) {
    for (MuteState s = 0; s < kMuteStates; ++s)
        if (text == patternText(s) || text == std::to_string(s)) return s;
    return std::nullopt;
}

// "A-B" split at its dash.
std::optional<std::pair<std::string, std::string>> splitRange(const std::string& text) {
    const auto dash = text.find('-');
    if (dash == std::string::npos) return std::nullopt;
    return std::make_pair(text.substr(0, dash), text.substr(dash + 1));
}

// The GOP indexes the options name, in order; sets `problem` when they are wrong.
std::vector<int> targetGops(const ParsedArguments& args, const GopLines& lines,
                            std::string& problem) {
    const int count = lines.count();
    std::vector<int> out;
    const auto inRange = [&](std::optional<int> n) { return n && *n >= 1 && *n <= count; };
    if (const auto it = args.values.find("--gop"); it != args.values.end()) {
        const auto n = parseNumber(it->second);
        if (!inRange(n))
            problem = "--gop takes a GOP number from 1 to " + std::to_string(count);
        else
            out.push_back(*n - 1);
    } else if (const auto it = args.values.find("--gops"); it != args.values.end()) {
        const auto range = splitRange(it->second);
        const auto from = range ? parseNumber(range->first) : std::nullopt;
        const auto to = range ? parseNumber(range->second) : std::nullopt;
        if (!inRange(from) || !inRange(to) || *from > *to)
            problem = "--gops takes N-M with 1 <= N <= M <= " + std::to_string(count);
        else
            for (int n = *from; n <= *to; ++n) out.push_back(n - 1);
    } else if (const auto it = args.values.find("--time"); it != args.values.end()) {
        const auto range = splitRange(it->second);
        const auto from = range ? parseTimeMs(range->first) : std::nullopt;
        const auto to = range ? parseTimeMs(range->second) : std::nullopt;
        if (!from || !to || *from > *to) {
            problem = "--time takes FROM-TO as hh:mm:ss.mmm-hh:mm:ss.mmm";
        } else {
            for (int k = 0; k < count; ++k) {
                const std::int64_t t = lines.timeMs(k);
                if (t != GopLines::kNoTime && t >= *from && t < *to) out.push_back(k);
            }
        }
    }
    return out;
}

}  // namespace

int runMuteSubcommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseArguments(
        args,
        OptionSpec{{"--dry-run", "--json", "--whole-cues"},
                   {"--pattern", "--gop", "--gops", "--time", "--at", "--edl", "--srt", "--words",
                    "--encoding", "--shift", "--title", "--margin", "--audio-stream"}},
        problem);
    if (!parsed) return usageError("mute", problem);
    if (parsed->help) return printUsage("mute");
    if (asksForSpans(*parsed)) return muteByTitleTime(*parsed);
    for (const char* option : {"--dry-run", "--json", "--shift", "--title"})
        if (parsed->flags.count(option) || parsed->values.count(option))
            return usageError("mute", std::string(option) + " goes with --at, --edl or --srt only");
    const auto pattern = parsed->values.count("--pattern")
                             ? parsePattern(parsed->values.at("--pattern"))
                             : std::nullopt;
    if (!pattern)
        return usageError("mute", "--pattern takes a pattern text such as -*** or its number 0-7");
    const int selectors =
        static_cast<int>(parsed->values.count("--gop") + parsed->values.count("--gops") +
                         parsed->values.count("--time"));
    if (selectors != 1) return usageError("mute", "give exactly one of --gop, --gops and --time");

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    auto& state = session.state();
    const auto gops = targetGops(*parsed, state.gopLines, problem);
    if (!problem.empty()) return usageError("mute", problem);

    // Each line is printed once its GOP's marker is on the disk.
    const auto outcomes =
        muteGops({state.gopTable, state.inputFiles}, state.gopLines, session.buffer(), session.ui(),
                 gops, *pattern, [](const GopMuteOutcome& outcome) {
                     if (outcome.result != MuteResult::Ok) return;
                     std::printf("%s\n", outcome.line.c_str());
                     std::fflush(stdout);
                 });
    return reportMuteFailure(session, outcomes) ? kExitFailed : kExitOk;
}

bool reportMuteFailure(TitleSession& session, const std::vector<GopMuteOutcome>& outcomes) {
    if (outcomes.empty() || outcomes.back().result == MuteResult::Ok) return false;
    const auto& state = session.state();
    const int k = outcomes.back().gop;
    session.ui().error(muteFailureMessage(outcomes.back().result, state.inputFiles,
                                          state.gopTable.fileIndex[static_cast<std::size_t>(k)]));
    return true;
}

}  // namespace velmorin::cli
