// Times the preview decoder: the first picture of every GOP of a title (as a preview of each
// GOP in turn would decode it), or one GOP decoded again and again, warm, from request to
// image. Writes no files.
//
//   preview_bench FILE.VOB...              every GOP once
//   preview_bench --one N FILE.VOB...      GOP N, 101 times: median, fastest, slowest
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "preview/preview_decoder.h"
#include "quiet_ui.h"
#include "scan/vob_scanner.h"
#include "state/app_state.h"
#include "ui/memory_gop_list.h"

namespace {

using namespace velmorin;

double msSince(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> files;
    int one = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--one" && i + 1 < argc)
            one = std::atoi(argv[++i]);
        else
            files.push_back(a);
    }
    if (files.empty()) {
        std::fprintf(stderr, "usage: preview_bench [--one N] FILE.VOB...\n");
        return 2;
    }
    auto state = std::make_unique<AppState>();
    for (const auto& f : files)
        state->inputFiles.filePath[static_cast<std::size_t>(state->inputFiles.fileCount++)] = f;
    ShellState shell;
    bench::QuietUi ui;
    MemoryGopList list;
    {
        SectorBuffer buffer;
        if (!VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run()) return 1;
    }
    const int gops = state->gopTable.gopCount;
    auto decoder = std::make_unique<preview::PreviewDecoder>();

    if (one > 0) {
        const int k = std::clamp(one, 1, gops) - 1;
        const auto request = preview::requestForGop(state->inputFiles, state->gopTable, k);
        std::vector<double> ms;
        for (int run = 0; run < 101; ++run) {
            const auto t0 = std::chrono::steady_clock::now();
            if (!decoder->decode(request, ui)) return 1;
            ms.push_back(msSince(t0));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("GOP %d: median %.2f ms, fastest %.2f ms, slowest %.2f ms over %zu decodes\n",
                    k + 1, ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
        return 0;
    }

    int images = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (int k = 0; k < gops; ++k)
        images += decoder->decode(preview::requestForGop(state->inputFiles, state->gopTable, k), ui)
                      ? 1
                      : 0;
    const double total = msSince(t0);
    std::printf("%d GOPs, %d images, %.1f ms decoding (%.2f ms per GOP)\n", gops, images, total,
                total / gops);
    return 0;
}
