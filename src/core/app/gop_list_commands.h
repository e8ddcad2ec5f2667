// The commands of the main window that act through the GOP list: the list-box behaviour
// (caret, selection, top line, focus) around the core operations, the same for every
// desktop front end. The command-line tool calls the operations directly.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "mute/mute_command.h"
#include "platform/platform.h"
#include "platform/sector_buffer.h"
#include "play/playback_command.h"
#include "scan/gop_navigation.h"
#include "state/app_state.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin {

// `line` becomes the only selected line, with the caret and the focus.
void selectOnly(GopListView& list, int line);

struct GopListContext {
    AppState& state;
    ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
};

// A mute button: applies `pattern` to the GOP at the caret. On success its line shows the
// pattern and becomes the only selected line, with the caret and the focus; a failure is
// reported and leaves the list as it was. Returns the operation's result, or nothing when
// the command did not run it (busy, no input).
std::optional<MuteResult> runMuteCommand(GopListContext context, MuteState pattern);

// A navigation button: searches from the list's top line for the previous or next GOP
// with `flagBit`; a found GOP becomes the top line, the only selected line and the caret
// line. The preview is refreshed in every case. Returns the line found, or -1.
int navigateGopList(const GopTable& table, GopListView& list, NavigationDirection direction,
                    GopFlag flagBit, const std::function<void()>& refreshPreview);

// A playback command: the stretch from the caret, the selection or where the last one
// ended ("≫" also selects the stretch's lines and scrolls to it), copied into a working
// file for the player. Returns the working file.
struct PlaybackContext {
    const AppState& state;
    ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
    Platform& platform;
};
std::optional<std::string> runPlaybackCommand(PlaybackContext context, PlayMode mode);

}  // namespace velmorin
