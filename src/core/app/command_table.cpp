#include "app/command_table.h"

#include <algorithm>

#include "app/gop_list_commands.h"
#include "mute/mute_command.h"
#include "platform/native_path.h"
#include "scan/gop_navigation.h"
#include "ui/control_ids.h"

namespace velmorin {

void runMainCommand(MainWindowContext c, int id) {
    namespace m = ids::main_window;
    // Help is the one command that works while an operation runs.
    if (id == m::kHelp || id == ids::menu::kHelp) {
        c.window.openDocument(helpFileOf(c.shell));
        return;
    }
    if (c.shell.busy) return;
    const auto refresh = [&c] { c.window.refreshPreview(); };
    const auto navigate = [&](NavigationDirection d, GopFlag bit) {
        if (c.state.gopTable.gopCount > 0)
            navigateGopList(c.state.gopTable, c.list, d, bit, refresh);
    };
    const auto play = [&](PlayMode mode) {
        runPlaybackCommand({c.state, c.shell, c.ui, c.list, c.buffer, c.platform}, mode);
    };
    switch (id) {
        case m::kInputFiles:
        case ids::menu::kOpenInputFiles:
            runInputFileCommand({c.state, c.shell, c.ui, c.list, c.buffer}, c.sourceDialog,
                                refresh);
            break;
        case m::kPlayAtCursor:
            play(PlayMode::Cursor);
            break;
        case m::kPlayNext:
            play(PlayMode::Next);
            break;
        case m::kPlayAToB:
            play(PlayMode::Range);
            break;
        case m::kGopList:
            play(PlayMode::Single);
            break;
        case m::kCellBackward:
            navigate(NavigationDirection::Backward, kCellStart);
            break;
        case m::kCellForward:
            navigate(NavigationDirection::Forward, kCellStart);
            break;
        case m::kChapterBackward:
            navigate(NavigationDirection::Backward, kChapterStart);
            break;
        case m::kChapterForward:
            navigate(NavigationDirection::Forward, kChapterStart);
            break;
        case ids::menu::kOpenProject:
            runOpenProjectCommand({c.state, c.shell, c.ui, c.list, c.projectDialogs});
            break;
        case ids::menu::kSaveProject:
            runSaveProjectCommand({c.state, c.shell, c.ui, c.list, c.projectDialogs});
            break;
        case ids::menu::kAbout:
            c.window.showAboutDialog();
            break;
        case ids::menu::kMuteByTime:
            if (c.state.gopTable.gopCount == 0)
                c.ui.error(kNoInputData);
            else
                c.window.runTimedMuteDialog();
            break;
        case m::kOptions: {
            // A changed preview option opens or closes the preview at once.
            const bool previewWas = c.state.settings.previewEnabled;
            if (c.window.runSettingsDialog() && c.state.settings.previewEnabled != previewWas)
                refresh();
            break;
        }
        case m::kExit:
        case ids::menu::kExit:
            c.window.requestClose();
            break;
        default:
            if (const MuteState pattern = patternForButton(id); pattern >= 0)
                runMuteCommand({c.state, c.shell, c.ui, c.list, c.buffer}, pattern);
            break;
    }
}

PreviewUpdate previewUpdate(const AppState& state, const GopListView& list) {
    if (!state.settings.previewEnabled) return {PreviewUpdate::Action::Close, {}};
    if (state.gopTable.gopCount == 0) return {};
    const int k = std::clamp(list.caretLine(), 0, state.gopTable.gopCount - 1);
    return {PreviewUpdate::Action::Show,
            preview::requestForGop(state.inputFiles, state.gopTable, k)};
}

}  // namespace velmorin
