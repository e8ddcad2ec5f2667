#include "times_subcommand.h"

#include <cstdio>

#include "exit_status.h"
#include "json.h"
#include "scan/pack.h"
#include "timing/map_messages.h"
#include "timing/title_time_text.h"
#include "title_map.h"
#include "usage.h"

namespace velmorin::cli {

namespace {

std::string timeCodeText(std::uint32_t scr) {
    const TimeCode t = timeCodeOf(scr);
    char text[32];
    std::snprintf(text, sizeof text, "%02u:%02u:%02u.%03u", t.hours, t.minutes, t.seconds,
                  t.milliseconds);
    return text;
}

void printPlain(const PresentationMap& map) {
    for (std::size_t k = 0; k < map.gops.size(); ++k) {
        const GopPresentation& gop = map.gops[k];
        if (!gop.inTitle) continue;
        std::printf("%05d (%s) %s", static_cast<int>(k) + 1, timeCodeText(gop.timeCode).c_str(),
                    spanText(gop.pictures).c_str());
        for (const TitleSpan& quarter : gop.audio) std::printf(" %s", spanText(quarter).c_str());
        std::printf("\n");
    }
}

void printJson(const PresentationMap& map) {
    std::printf("{\"title\":%s,\"mpegAudio\":%s,\n\"gops\":[", jsonSpan(map.title).c_str(),
                map.mpegAudio ? "true" : "false");
    bool first = true;
    for (std::size_t k = 0; k < map.gops.size(); ++k) {
        const GopPresentation& gop = map.gops[k];
        if (!gop.inTitle) continue;
        std::printf(
            "%s\n{\"number\":%d,\"timeCode\":\"%s\",\"pattern\":\"%.*s\",\"pictures\":%s,"
            "\"quarters\":[",
            first ? "" : ",", static_cast<int>(k) + 1, timeCodeText(gop.timeCode).c_str(), 4,
            patternText(gop.pattern).data(), jsonSpan(gop.pictures).c_str());
        for (std::size_t q = 0; q < gop.audio.size(); ++q)
            std::printf("%s{\"packets\":%d,\"audio\":%s}", q ? "," : "", gop.packets[q],
                        jsonSpan(gop.audio[q]).c_str());
        std::printf("]}");
        first = false;
    }
    std::printf("]}\n");
}

}  // namespace

int runTimesSubcommand(const std::vector<std::string>& args) {
    std::string problem;
    const auto parsed = parseArguments(args, OptionSpec{{"--json"}, {"--title"}}, problem);
    if (!parsed) return usageError("times", problem);
    if (parsed->help) return printUsage("times");
    const auto title = titleOption(*parsed, problem);
    if (!title) return usageError("times", problem);

    TitleSession session(parsed->title);
    if (const Failure failed = session.open()) return failed.status;
    PresentationMap map;
    if (const Failure failed = readTitleMap(session, parsed->title, *title, map))
        return failed.status;
    if (map.mpegAudio) session.ui().info(map_messages::kMpegAudioPlaysOn);
    if (parsed->flags.count("--json"))
        printJson(map);
    else
        printPlain(map);
    return std::fflush(stdout) == 0 ? kExitOk : kExitFailed;
}

}  // namespace velmorin::cli
