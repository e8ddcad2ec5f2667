// Feeds arbitrary bytes, as VOB files, to the scan and then to the presentation-time map,
// timed both as plain files and by two cells in reverse order, and plans a span over the
// whole title on each map. Each map is built from the files read and from the files mapped
// into memory, which must agree, and once more capturing the sound of a few windows.
//
// Input: byte 0 pads the data to whole sectors (bit 0), byte 1 is the sector at which the
// data is split into two files; the rest is the VOB data.
//
// `fuzz_presentation_map --make-seeds DIR VIDEO_TS` writes seed inputs and exits.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "pack_builder.h"
#include "platform/sector_buffer.h"
#include "scan/sector_reader.h"
#include "scan/vob_scanner.h"
#include "silent_ui.h"
#include "state/app_state.h"
#include "timing/audio_capture.h"
#include "timing/span_plan.h"
#include "ui/memory_gop_list.h"

namespace {

using namespace velmorin;

void checkPlan(const PresentationMap& map, int gops) {
    if (static_cast<int>(map.gops.size()) != gops) std::abort();
    if (map.title.empty()) return;
    const SpanPlan plan = planSpans(map, {map.title});
    if (plan.outsideSpan != -1) std::abort();
    for (const PlanEntry& e : plan.entries)
        if (e.gop < 0 || e.gop >= gops || e.after < 0 || e.after >= kMuteStates) std::abort();
}

// Builds the map both ways and plans on it.
void mapAndPlan(const MapSource& source, SectorBuffer& buffer, int gops) {
    PresentationMap read, mapped;
    SectorReader::forceWayForTesting(SectorReader::Way::Reading);
    const MapOutcome outcome = buildPresentationMap(source, buffer, read);
    SectorReader::forceWayForTesting(SectorReader::Way::Mapping);
    if (!(buildPresentationMap(source, buffer, mapped) == outcome) || !(mapped == read))
        std::abort();
    if (outcome.result == MapResult::Ok) checkPlan(read, gops);

    // Captured over a few windows, the map is the same, and every chunk holds its frame.
    AudioCapture capture({{0, 45000}, {90000, 91000}, {-90000, 10}, {200000, 100000}},
                         AudioCapture::kEveryStream);
    PresentationMap captured;
    const MapSource withCapture{source.table, source.files, source.cells, &capture};
    if (!(buildPresentationMap(withCapture, buffer, captured) == outcome) || !(captured == read))
        std::abort();
    static volatile unsigned touched = 0;
    for (const int number : {-1, 0, 1, 7}) {
        for (const AudioChunk& chunk : capture.stream(number).chunks) {
            if (static_cast<std::size_t>(chunk.firstAccessUnit) > chunk.bytes.size()) std::abort();
            touched = touched + std::accumulate(chunk.bytes.begin(), chunk.bytes.end(), 0u);
        }
    }
}

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string& videoTs) {
    VobBuilder synthetic;
    synthetic.pack(makeNavPack({.startPtm = 90000, .endPtm = 135000, .vobId = 1}))
        .pack(makeAudioPack(0x80, 89000))
        .pack(makeAudioPack(0x80, -1))
        .pack(makeAudioPack(0xA0, 91000))
        .pack(makePack(0xC0))
        .pack(makeNavPack({.startPtm = 4000, .endPtm = 9000, .vobId = 2}))
        .pack(makeAudioPack(0x80, 3000));
    std::vector<std::uint8_t> synth;
    for (const auto& s : synthetic.sectors()) synth.insert(synth.end(), s.begin(), s.end());
    NumberedSeeds seeds(dir);
    seeds.write(1, 12, readPrefix(videoTs + "/VTS_01_1.VOB", 24 * 2048));
    seeds.write(1, 5, synth);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static test::TempDir dir;
    static const std::string first = dir.file("VTS_01_1.VOB"), second = dir.file("VTS_01_2.VOB");
    static SectorBuffer buffer;
    static auto state = std::make_unique<AppState>();
    std::vector<std::uint8_t> body(data + 2, data + size);
    if (data[0] & 0x01) body.resize((body.size() + 2047) / 2048 * 2048);
    const std::size_t split = std::min<std::size_t>(std::size_t{data[1]} * 2048, body.size());
    test::writeInputFile(first, body.data(), split);
    test::writeInputFile(second, body.data() + split, body.size() - split);

    *state = AppState{};
    state->inputFiles.fileCount = 2;
    state->inputFiles.filePath[0] = first;
    state->inputFiles.filePath[1] = second;
    state->sourceOptions.fastRead = false;
    ShellState shell;
    test::SilentUi ui(true);
    MemoryGopList list;
    if (!VobScanner(scanTargetOf(*state, shell), ui, list, buffer).run()) return 0;
    const auto& table = state->gopTable;

    mapAndPlan({table, state->inputFiles}, buffer, table.gopCount);
    const auto half = static_cast<std::uint32_t>(body.size() / 4096);
    const std::vector<TitleCell> cells{{half, 0xFFFFFFFF, 0, 90000}, {0, half, 90000, 45000}};
    mapAndPlan({table, state->inputFiles, &cells}, buffer, table.gopCount);
    return 0;
}
