// Feeds arbitrary bytes, as the first 64 KiB of an IFO file, to the VTSI reader, the
// title table reader and the reader of a title's cells.
//
// `fuzz_ifo_readers --make-seeds DIR VIDEO_TS` writes the sample disc's IFO files as seeds.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "dvd/ifo_file.h"
#include "dvd/title_table.h"
#include "dvd/vtsi_reader.h"
#include "fuzz_files.h"
#include "silent_ui.h"
#include "timing/title_cells.h"

namespace {

using namespace velmorin;

void copySeed(const std::string& from, const std::string& to) {
    const std::vector<std::uint8_t> bytes = test::readPrefix(from, IfoBuffer::kSize);
    if (!bytes.empty()) test::writeInputFile(to, bytes.data(), bytes.size());
}

}  // namespace

void velmorin::test::writeSeeds(const std::string& dir, const std::string& videoTs) {
    copySeed(videoTs + "/VTS_01_0.IFO", dir + "/vtsi");
    copySeed(videoTs + "/VIDEO_TS.IFO", dir + "/vmgi");
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly what IfoBuffer hands the readers: at most 64 KiB, zeros beyond.
    const ByteReader ifo(data, std::min(size, IfoBuffer::kSize));
    test::SilentUi ui;
    ChapterInfo chapters;
    if (parseVtsi(ifo, true, chapters, ui) &&
        (chapters.count < 0 || chapters.count > ChapterInfo::kMaxSectors))
        std::abort();
    const auto lines = titleInformationLines(ifo);
    if (lines.size() > (ifo.size() > 0x808 ? (ifo.size() - 0x808) / 12 : 0)) std::abort();
    for (int title = 1; title <= 3; ++title) {
        const auto cells = readTitleCells(ifo, title);
        if (cells && cells->cells.size() > 255) std::abort();
    }
    return 0;
}
