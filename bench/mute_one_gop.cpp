// Times the mute of one GOP in-process, warm: the read, the rewrite, the write back and
// the flush to disk, without the process start and the scan around it.
//
//   mute_one_gop FILE.VOB... [GOP_NUMBER]   (the title is modified; use a copy)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "mute/mute_operation.h"
#include "quiet_ui.h"
#include "scan/vob_scanner.h"
#include "state/app_state.h"
#include "ui/memory_gop_list.h"

using namespace velmorin;

int main(int argc, char** argv) {
    std::vector<std::string> files;
    int gop = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.find_first_not_of("0123456789") == std::string::npos)
            gop = std::atoi(argv[i]) - 1;
        else
            files.push_back(a);
    }
    auto state = std::make_unique<AppState>();
    for (const auto& f : files)
        state->inputFiles.filePath[static_cast<std::size_t>(state->inputFiles.fileCount++)] = f;
    ShellState shell;
    bench::QuietUi ui;
    MemoryGopList list;
    SectorBuffer buffer;
    if (!VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run()) return 1;
    gop = std::clamp(gop, 0, state->gopTable.gopCount - 1);

    std::vector<double> ms;
    for (int run = 0; run < 41; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        if (muteGop({state->gopTable, state->inputFiles}, buffer, ui, gop, run % 2 ? 0 : 4) !=
            MuteResult::Ok)
            return 1;
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    std::printf(
        "GOP %d (%llu sectors): median %.2f ms, fastest %.2f ms, slowest %.2f ms over %zu mutes\n",
        gop + 1,
        static_cast<unsigned long long>(
            state->gopTable.extent(gop, state->inputFiles).sectorCount()),
        ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    return 0;
}
