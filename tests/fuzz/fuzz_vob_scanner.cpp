// Feeds arbitrary bytes to the VOB scanner through real files, and mutes the last GOP
// of what it found.
//
// Input: byte 0 chooses the options (bit 0 pad to whole sectors, bit 1 fast reader,
// bit 2 answer Yes to the damaged-pack question, bit 3 read by VTSI, bit 4 count cells,
// bit 5 repeat the data until the fast reader's step mode is reached), byte 1 the sector
// at which the data is split into two files (its bits 3 … 5 are also the mute pattern);
// the rest is the VOB data.
//
// `fuzz_vob_scanner --make-seeds DIR VIDEO_TS` writes seed inputs and exits.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/gop_list_commands.h"
#include "fuzz_files.h"
#include "mute/mute_command.h"
#include "pack_builder.h"
#include "platform/binary_file.h"
#include "platform/sector_buffer.h"
#include "scan/vob_scanner.h"
#include "silent_ui.h"
#include "ui/memory_gop_list.h"

namespace {

using namespace velmorin;

struct Files {
    test::TempDir dir;
    std::string first = dir.file("VTS_01_1.VOB");
    std::string second = dir.file("VTS_01_2.VOB");
};

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string& videoTs) {
    const std::vector<std::uint8_t> disc = readPrefix(videoTs + "/VTS_01_1.VOB", 16 * 2048);
    VobBuilder synthetic;
    synthetic.packs(2).vobu(3, {.scr = 90000, .newCell = true, .category = 0xA0});
    synthetic.vobu(2, {.scr = 90000 + 500 * 90, .category = 0x60, .muteState = 3});
    synthetic.vobu(2, {.scr = 180000, .category = 0x40, .chapterMarker = true}).pack(Sector{});
    std::vector<std::uint8_t> synth;
    for (const auto& s : synthetic.sectors()) synth.insert(synth.end(), s.begin(), s.end());

    NumberedSeeds seeds(dir);
    for (std::uint8_t flags : {0x01, 0x03, 0x05, 0x0B, 0x1F, 0x23}) {
        seeds.write(flags, 3, disc);
        seeds.write(flags, 4, synth);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static Files files;
    static SectorBuffer buffer;
    static auto state = std::make_unique<AppState>();
    const std::uint8_t flags = data[0];
    std::vector<std::uint8_t> body(data + 2, data + size);
    if (flags & 0x01) body.resize((body.size() + 2047) / 2048 * 2048);
    if ((flags & 0x20) && !body.empty()) {
        std::vector<std::uint8_t> repeated;
        repeated.reserve(2100 * 2048 + body.size());
        while (repeated.size() < 2100 * 2048)
            repeated.insert(repeated.end(), body.begin(), body.end());
        body.swap(repeated);
    }
    const std::size_t split = std::min<std::size_t>(std::size_t{data[1]} * 2048, body.size());
    test::writeInputFile(files.first, body.data(), split);
    test::writeInputFile(files.second, body.data() + split, body.size() - split);

    *state = AppState{};
    state->inputFiles.fileCount = 2;
    state->inputFiles.filePath[0] = files.first;
    state->inputFiles.filePath[1] = files.second;
    state->sourceOptions.fastRead = (flags & 0x02) != 0;
    state->sourceOptions.readByVtsi = (flags & 0x08) != 0;
    state->sourceOptions.chapterMethod =
        (flags & 0x10) ? ChapterMethod::CountCells : ChapterMethod::SectorMatch;
    state->chapterInfo.count = 3;
    state->chapterInfo.sectors = {0, 5, 9};
    state->chapterInfo.cellIsEntry[0] = state->chapterInfo.cellIsEntry[2] = 1;

    ShellState shell;
    test::SilentUi ui((flags & 0x04) != 0);
    MemoryGopList list;
    const bool ok = VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run();
    const auto& table = state->gopTable;
    // What a successful scan promises the rest of the program.
    if (ok) {
        if (list.count() != table.gopCount) std::abort();
        for (int k = 0; k < table.gopCount; ++k) {
            const GopExtent e = table.extent(k, state->inputFiles);
            if (e.endSector < e.firstSector || e.sectorCount() == 0) std::abort();
        }
    } else if (table.gopCount != 0 || state->inputFiles.fileCount != 0 || list.count() != 0) {
        std::abort();
    }
    if (!ok || table.gopCount == 0) return 0;

    // Muting changes bytes in place, never a file's size.
    list.setCaretLine(table.gopCount - 1);
    const auto result = runMuteCommand({*state, shell, ui, list, buffer}, (data[1] >> 3) & 7);
    if (!result) std::abort();
    if (regularFileSize(files.first) != split ||
        regularFileSize(files.second) != body.size() - split)
        std::abort();
    return 0;
}
