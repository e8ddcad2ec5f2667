// Mutes one GOP in place: reads it (with its continuation at the start of the next file)
// into the sector buffer, rewrites it for the pattern and writes it back.
#pragma once

#include "app/app_state.h"
#include "common/sector_buffer.h"
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

// Applies `pattern` to GOP k (0 <= k < gopCount). Every file the GOP touches is opened
// for update before anything is written, and the written bytes reach the disk before
// success is reported.
MuteResult muteGop(const AppState& state, SectorBuffer& buffer, Ui& ui, int k, MuteState pattern);

}  // namespace velmorin
