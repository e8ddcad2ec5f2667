// Times planning spans of title time on a title's presentation-time map: N spans of 1.5 s
// spread evenly over the title (as the cues of a subtitle file are), planned 11 times;
// prints the median. The map is read once, untimed. Then plans each of N spans of 0.15 …
// 5 s alone and prints how much sound the chosen patterns silence beyond the span
// (the silenced stretch minus the span): median and worst.
//
//   span_plan_bench N FILE.VOB...
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "quiet_ui.h"
#include "scan/vob_scanner.h"
#include "state/app_state.h"
#include "timing/span_plan.h"
#include "ui/memory_gop_list.h"

int main(int argc, char** argv) {
    using namespace velmorin;
    if (argc < 3) {
        std::fprintf(stderr, "usage: span_plan_bench N FILE.VOB...\n");
        return 2;
    }
    const int count = std::atoi(argv[1]);
    auto state = std::make_unique<AppState>();
    for (int i = 2; i < argc; ++i)
        state->inputFiles.filePath[static_cast<std::size_t>(state->inputFiles.fileCount++)] =
            argv[i];
    ShellState shell;
    bench::QuietUi ui;
    MemoryGopList list;
    SectorBuffer buffer;
    if (!VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run()) return 1;
    PresentationMap map;
    if (buildPresentationMap({state->gopTable, state->inputFiles}, buffer, map).result !=
        MapResult::Ok)
        return 1;

    std::vector<TitleSpan> spans;
    const TitleTime length = 3 * kTicksPerSecond / 2;
    const TitleTime step = std::max<TitleTime>(1, (map.title.end - length) / std::max(count, 1));
    for (int i = 0; i < count; ++i) spans.push_back({i * step, i * step + length});

    std::vector<double> ms;
    std::size_t entries = 0;
    for (int run = 0; run < 11; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        entries = planSpans(map, spans).entries.size();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%d spans over %zu GOPs: %zu GOPs planned, median %.2f ms, slowest %.2f ms\n",
                count, map.gops.size(), entries, ms[ms.size() / 2], ms.back());

    std::vector<double> excess;
    int uncovered = 0;
    for (int i = 0; i < count; ++i) {
        const TitleTime length = kTicksPerSecond * (15 + (i * 37) % 486) / 100;
        const TitleTime start = (map.title.end - length) * ((i * 7919) % 1000) / 1000;
        const TitleSpan span{start, start + length};
        TitleSpan silenced;
        for (const PlanEntry& e : planSpans(map, {span}).entries) {
            if (e.silenced.empty()) continue;
            silenced.start =
                silenced.empty() ? e.silenced.start : std::min(silenced.start, e.silenced.start);
            silenced.end = std::max(silenced.end, e.silenced.end);
        }
        uncovered += silenced.start > span.start || silenced.end < span.end;
        excess.push_back(static_cast<double>((silenced.end - silenced.start) - length) / 90.0);
    }
    std::sort(excess.begin(), excess.end());
    std::printf(
        "silenced beyond a span of 0.15 … 5 s: median %.0f ms, worst %.0f ms; %d of %d "
        "spans not covered\n",
        excess[excess.size() / 2], excess.back(), uncovered, count);
    return 0;
}
