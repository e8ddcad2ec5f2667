// Mutes one GOP in place: reads it (with its continuation at the start of the next file)
// into the sector buffer, rewrites it for the pattern and writes it back.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/sector_buffer.h"
#include "scan/gop_lines.h"
#include "scan/gop_table.h"
#include "scan/mute_marker.h"
#include "ui/ui.h"

namespace velmorin {

enum class MuteResult : int {
    Ok = 0,
    CannotOpenForReading = 1,
    SeekForReadingFailed = 2,
    Aborted = 3,  // at the padding-stream question
    CannotOpenForUpdate = 4,
    SeekForUpdateFailed = 5,
    WriteFailed = 6,              // also a failed flush or close
    NextFileCannotBeUpdated = 7,  // the file holding the continuation
    NextFileWriteFailed = 8,
    GopTooLarge = 9,  // more than the sector buffer holds; nothing read or written
};

// The opened title as a mute sees it.
struct MuteTitle {
    const GopTable& table;
    const InputFileSet& files;
};

// Applies `pattern` to GOP k (0 <= k < gopCount). Every file the GOP touches is opened
// for update before anything is written. The audio packets are written and flushed to the
// disk first, the navigation pack with the new marker last: an interrupted mute never
// leaves a marker announcing a pattern the audio does not have, and applying the pattern
// again repairs it.
MuteResult muteGop(MuteTitle title, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern);

struct GopMuteOutcome {
    int gop = 0;
    MuteResult result = MuteResult::Ok;
    std::string line;  // the GOP's list line afterwards (unchanged when it failed)
};

// Applies `pattern` to each of `gops` (valid GOP indexes) in turn, with the same order of
// writes as muteGop, and shows it in their lines. Stops at the first failure, whose
// outcome is the last one. A GOP's outcome is known once its marker is on the disk, which
// may be after the next GOP's question; `done` hears each as it is known.
std::vector<GopMuteOutcome> muteGops(MuteTitle title, GopLines& lines, SectorBuffer& buffer, Ui& ui,
                                     const std::vector<int>& gops, MuteState pattern,
                                     const std::function<void(const GopMuteOutcome&)>& done = {});

struct GopPattern {
    int gop = 0;
    MuteState pattern = 0;
};

// As above, with a pattern of its own for each GOP. `stop`, asked before each GOP, ends
// the run early when it says so; the GOPs begun before are finished and reported.
std::vector<GopMuteOutcome> muteGops(MuteTitle title, GopLines& lines, SectorBuffer& buffer, Ui& ui,
                                     const std::vector<GopPattern>& targets,
                                     const std::function<void(const GopMuteOutcome&)>& done = {},
                                     const std::function<bool()>& stop = {});

}  // namespace velmorin
