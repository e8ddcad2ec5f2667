#include "app/command_table.h"

#include <algorithm>

#include "app/gop_list_commands.h"
#include "mute/mute_command.h"
#include "platform/native_path.h"
#include "scan/gop_navigation.h"
#include "ui/control_ids.h"

namespace velmorin {

void runMainCommand(MainWindowContext c, int id) {
    // Help is the one command that works while an operation runs.
    if (id == 121 || id == 1910) {
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
        case 101:
        case 1010:
            runInputFileCommand({c.state, c.shell, c.ui, c.list, c.buffer}, c.sourceDialog,
                                refresh);
            break;
        case 102:
            play(PlayMode::Cursor);
            break;
        case 125:
            play(PlayMode::Next);
            break;
        case 134:
            play(PlayMode::Range);
            break;
        case kGopListId:
            play(PlayMode::Single);
            break;
        case 123:
            navigate(NavigationDirection::Backward, kCellStart);
            break;
        case 124:
            navigate(NavigationDirection::Forward, kCellStart);
            break;
        case 119:
            navigate(NavigationDirection::Backward, kChapterStart);
            break;
        case 120:
            navigate(NavigationDirection::Forward, kChapterStart);
            break;
        case 1110:
            runOpenProjectCommand({c.state, c.shell, c.ui, c.list, c.projectDialogs});
            break;
        case 1120:
            runSaveProjectCommand({c.state, c.shell, c.ui, c.list, c.projectDialogs});
            break;
        case 1920:
            c.window.showAboutDialog();
            break;
        case ids::menu::kMuteByTime:
            if (c.state.gopTable.gopCount == 0)
                c.ui.error(kNoInputData);
            else
                c.window.runTimedMuteDialog();
            break;
        case 107: {
            // A changed preview option opens or closes the preview at once.
            const bool previewWas = c.state.settings.previewEnabled;
            if (c.window.runSettingsDialog() && c.state.settings.previewEnabled != previewWas)
                refresh();
            break;
        }
        case 2:
        case 1050:
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
