// Feeds arbitrary bytes to the project loader through a real file, and checks that a
// project it accepts can be used: counts inside the tables, one list line per GOP, every
// GOP's extent inside its files.
//
// `fuzz_project_loader --make-seeds DIR VIDEO_TS` writes a small valid project as a seed.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz_files.h"
#include "project/project_file.h"
#include "silent_ui.h"
#include "ui/memory_gop_list.h"

using namespace velmorin;

void velmorin::test::writeSeeds(const std::string& dir, const std::string&) {
    auto state = std::make_unique<AppState>();
    state->inputFiles.fileCount = 2;
    state->inputFiles.filePath[0] = "/dvd/VTS_01_1.VOB";
    state->inputFiles.filePath[1] = "/dvd/VTS_01_2.VOB";
    state->inputFiles.fileSize[0] = state->inputFiles.fileSize[1] = 100 * 2048.0;
    state->gopTable.gopCount = 3;
    state->gopTable.startSector[1] = 50;
    state->gopTable.startSector[2] = 10;
    state->gopTable.startSector[3] = 100;
    state->gopTable.fileIndex[2] = 1;
    state->gopTable.fileIndex[3] = 2;
    for (int i = 1; i <= 3; ++i)
        state->gopLines.appendStored(" >*0000" + std::to_string(i) + " (00:00:00.000) ****");
    SilentUi ui;
    saveProject(dir + "/seed.prj", *state, ui);
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const test::InputFile file("fuzz.prj");
    const std::string& path = file.write(data, size);

    static auto state = std::make_unique<AppState>();
    *state = AppState{};
    MemoryGopList list;
    test::SilentUi ui;
    if (!loadProject(path, *state, list, ui)) return 0;
    const auto& table = state->gopTable;
    const auto& files = state->inputFiles;
    if (table.gopCount < 0 || table.gopCount > GopTable::kMaxGops || files.fileCount < 0 ||
        files.fileCount > InputFileSet::kMaxFiles || list.count() != table.gopCount)
        std::abort();
    for (int k = 0; k < table.gopCount; ++k) {
        const GopExtent e = table.extent(k, files);
        if (e.file < 0 || e.file >= files.fileCount) std::abort();
    }
    return 0;
}
