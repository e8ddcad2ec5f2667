// Reads the input file set into the GOP table and the GOP list: one entry per navigation
// pack, with its time code, cell and chapter marks, interleave mark and mute state.
#pragma once

#include <cstdint>

#include "platform/sector_buffer.h"
#include "scan/chapter_info.h"
#include "scan/gop_lines.h"
#include "scan/gop_table.h"
#include "scan/input_file_set.h"
#include "scan/source_options.h"
#include "ui/gop_list_view.h"
#include "ui/progress_bar.h"
#include "ui/ui.h"

namespace velmorin {

// What a reader reports for one file.
enum class ReaderResult : int {
    Ok = 0,
    CannotOpen = 1,
    AbnormalContent = 2,  // a sector that is not a pack
    SeekError = 3,        // also a failed or short read
    NoVobuHeader = 4,     // the fast reader did not land on a navigation pack
    Cancelled = 10,
    TooManyGops = 20,
};

struct ScanState {
    std::int32_t totalSectors = 0;
    std::int32_t sectorsDone = 0;
    std::int32_t runningSector = 0;
    std::int32_t cellCounter = 0;
    std::uint32_t lastUnitStartScr = 0x7FFFFFFF;
    bool inInterleave = false;
    bool interleaveSeen = false;
    std::int32_t ngPackCount = 0;
    bool askOnNgPack = true;
};

// What a scan reads and what it fills; nothing else of the program is within its reach.
struct ScanTarget {
    InputFileSet& files;  // read; their sizes are recorded, and the set is emptied on failure
    const SourceOptions& options;
    const ChapterInfo& chapters;
    GopTable& table;
    GopLines& lines;
    // Set from outside (by closing the progress window) while the scan lets messages run.
    const bool& cancelRequested;
};

class VobScanner {
public:
    // The lines also go to `list` as they are found, and the size label at the end.
    VobScanner(ScanTarget target, Ui& ui, GopListView& list, SectorBuffer& buffer)
        : target_(target), ui_(ui), list_(list), buffer_(buffer) {}

    // Scans every input file with the reader the source options choose. Reports every
    // failure itself; returns whether the table now holds the title.
    bool run();

    const ScanState& scanState() const { return scan_; }

    // One reader over input file j; exposed for tests.
    ReaderResult readFull(int j);
    ReaderResult readFast(int j);

private:
    // Reads every file into the table and the list; a failure has been reported.
    bool readAllFiles();
    bool checkFileSizes();
    void fail();
    void reportReaderResult(ReaderResult result, int j);
    void drawProgress();
    // Appends the GOP whose navigation pack is `pack`, sector `sector` of file `file`.
    ReaderResult recordNavigationPack(SectorView pack, int file, std::uint32_t sector);
    std::uint8_t cellAndChapterMarks(SectorView pack, bool newCell, char& mark1, char& mark2);
    void interleaveTest(SectorView pack, std::uint32_t t, char& mark2);

    ScanTarget target_;
    Ui& ui_;
    GopListView& list_;
    SectorBuffer& buffer_;
    ScanState scan_;
    ProgressBar bar_;
};

}  // namespace velmorin
