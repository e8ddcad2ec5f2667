#include "mute_by_time.h"

#include <cstdio>

#include "exit_status.h"
#include "json.h"
#include "span_options.h"
#include "speech_tools.h"
#include "timed/timed_mute.h"
#include "timing/span_plan.h"
#include "title_map.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

std::string patternOf(MuteState state) {
    return std::string(patternText(state));
}

void printLine(const PlanEntry& e) {
    std::printf("%s\n", planEntryLine(e).c_str());
    std::fflush(stdout);
}

const char* placementName(SpanPlacement placed) {
    return placed == SpanPlacement::Word ? "word" : "cue";
}

// With --srt: one object per span asked for, in cue order.
void printJsonSpans(const std::vector<PlacedSpan>& placed) {
    std::printf(",\n\"spans\":[");
    for (std::size_t i = 0; i < placed.size(); ++i) {
        const PlacedSpan& p = placed[i];
        std::printf("%s\n{\"from\":%s,\"to\":%s,\"cue\":%d,\"text\":%s,\"placed\":\"%s\"",
                    i ? "," : "", jsonSeconds(p.span.start).c_str(),
                    jsonSeconds(p.span.end).c_str(), p.cue, jsonQuoted(p.text).c_str(),
                    placementName(p.placed));
        if (p.placed == SpanPlacement::Cue) std::printf(",\"why\":\"%s\"", fallbackCode(p.why));
        std::printf("}");
    }
    std::printf("]");
}

void printJson(const SpanPlan& plan, const PresentationMap& map, bool dryRun, std::size_t written,
               const std::vector<PlacedSpan>* placed) {
    std::printf("{\"dryRun\":%s,\"mpegAudio\":%s,\n\"gops\":[", dryRun ? "true" : "false",
                map.mpegAudio ? "true" : "false");
    for (std::size_t i = 0; i < plan.entries.size(); ++i) {
        const PlanEntry& e = plan.entries[i];
        const std::string silenced = jsonSpan(e.silenced);
        std::printf(
            "%s\n{\"number\":%d,\"before\":\"%s\",\"after\":\"%s\",\"silenced\":%s,"
            "\"written\":%s}",
            i ? "," : "", e.gop + 1, patternOf(e.before).c_str(), patternOf(e.after).c_str(),
            silenced.c_str(), !dryRun && e.changes() && i < written ? "true" : "false");
    }
    std::printf("]");
    if (placed) printJsonSpans(*placed);
    std::printf("}\n");
}

}  // namespace

int muteByTitleTime(const ParsedArguments& parsed) {
    const auto& values = parsed.values;
    if (values.count("--pattern"))
        return usageError("mute",
                          "--pattern cannot go with --at, --edl or --srt: the program chooses "
                          "each GOP's pattern for the spans");
    if (values.count("--gop") + values.count("--gops") + values.count("--time") > 0)
        return usageError("mute",
                          "give exactly one of --gop, --gops, --time, --at, --edl and --srt");
    std::string problem;
    auto request = spanRequest(parsed, problem);
    if (!request) return usageError("mute", problem);
    const auto title = titleOption(parsed, problem);
    if (!title) return usageError("mute", problem);
    request->vtsiPath = vtsiPathOf(parsed.title);
    request->title = *title;

    // The files are read before the title: a wrong one stops the run before the scan.
    TitleSession session(parsed.title);
    RequestedSpans requested;
    if (!readRequestedSpans(*request, session.ui(), requested)) return kExitFailed;
    if (const Failure failed = session.open()) return failed.status;
    TimedMuteContext context{session.state(), session.shell(), session.ui(), session.buffer(),
                             openSpeechTools};
    context.tellFallbacks = true;
    TimedMutePlan timed;
    if (planRequestedSpans(context, *request, requested, timed) != PlanResult::Ok)
        return kExitFailed;
    const SpanPlan& plan = timed.plan;
    const PresentationMap& map = timed.map;
    const std::vector<PlacedSpan>* jsonSpans = timed.subtitles ? &timed.placed : nullptr;

    const bool json = parsed.flags.count("--json") > 0;
    const bool dryRun = parsed.flags.count("--dry-run") > 0;
    if (dryRun) {
        if (json)
            printJson(plan, map, true, 0, jsonSpans);
        else
            for (const PlanEntry& e : plan.entries) printLine(e);
        return kExitOk;
    }

    // A line is printed once its GOP's marker is on the disk; a GOP the plan leaves as it
    // is, when the plan reaches it.
    std::size_t next = 0;
    const auto printUpTo = [&](int gop, bool ok) {
        for (; next < plan.entries.size() && plan.entries[next].gop <= gop; ++next) {
            const PlanEntry& e = plan.entries[next];
            if (e.gop == gop && !ok) return;
            if (!json) printLine(e);
        }
    };
    const PlanWriting writing = writeTimedMutePlan(context, timed, [&](const GopMuteOutcome& o) {
        printUpTo(o.gop, o.result == MuteResult::Ok);
    });
    if (!writing.failed) printUpTo(static_cast<int>(map.gops.size()), true);
    if (json) printJson(plan, map, false, next, jsonSpans);
    return writing.failed ? kExitFailed : kExitOk;
}

}  // namespace velmorin::cli
