// The nine mute buttons: apply a pattern to the GOP at the list's caret and show the new
// pattern in its line.
#pragma once

#include <optional>
#include <string>

#include "app/app_state.h"
#include "common/sector_buffer.h"
#include "mute/mute_operation.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kNoInputData = "入力データがありません.";

// The pattern a mute button applies (both "----" buttons apply 4); -1 for other ids.
MuteState patternForButton(int controlId);

// The message for a failed mute of a GOP in file `fileIndex`.
std::string muteFailureMessage(MuteResult result, const InputFileSet& files, int fileIndex);

struct MuteCommandContext {
    const AppState& state;
    const ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
};

// Returns the operation's result, or nothing when the command did not run it (busy, no
// input).
std::optional<MuteResult> runMuteCommand(MuteCommandContext context, MuteState pattern);

}  // namespace velmorin
