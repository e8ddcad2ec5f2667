#include "app/gop_list_commands.h"

#include <algorithm>

namespace velmorin {

void selectOnly(GopListView& list, int line) {
    list.clearSelection();
    list.select(line);
    list.setCaretLine(line);
    list.focus();
}

std::optional<MuteResult> runMuteCommand(GopListContext c, MuteState pattern) {
    if (c.shell.busy) return std::nullopt;
    const auto& table = c.state.gopTable;
    if (table.gopCount == 0) {
        c.ui.error(kNoInputData);
        return std::nullopt;
    }
    const int k = c.list.caretLine();
    if (k < 0 || k >= table.gopCount) return std::nullopt;

    const auto outcome =
        muteGops({table, c.state.inputFiles}, c.state.gopLines, c.buffer, c.ui, {k}, pattern)
            .front();
    if (outcome.result != MuteResult::Ok) {
        c.ui.error(muteFailureMessage(outcome.result, c.state.inputFiles,
                                      table.fileIndex[static_cast<std::size_t>(k)]));
        return outcome.result;
    }
    c.list.replaceLine(k, outcome.line);
    selectOnly(c.list, k);
    return outcome.result;
}

int navigateGopList(const GopTable& table, GopListView& list, NavigationDirection direction,
                    GopFlag flagBit, const std::function<void()>& refreshPreview) {
    if (table.gopCount == 0) return -1;
    // A list with extended selection reports no single selected line, so the search
    // always starts from the first visible line.
    const int found = navigationTarget(table, list.topLine(), direction, flagBit);
    if (found >= 0) {
        list.scrollToTop(found);
        selectOnly(list, found);
    }
    if (refreshPreview) refreshPreview();
    return found;
}

std::optional<std::string> runPlaybackCommand(PlaybackContext c, PlayMode mode) {
    if (c.shell.busy) return std::nullopt;
    const int gopCount = c.state.gopTable.gopCount;
    if (gopCount == 0) {
        c.ui.error(play_messages::kNoInputData);
        return std::nullopt;
    }
    const auto workingFiles =
        clearWorkingFiles(workingFolderOf(c.shell), c.state.settings.mpgWorkingFiles);

    StretchRequest request{mode,     c.list.caretLine(),
                           {},       c.shell.continuePosition,
                           gopCount, c.state.settings.playTimeIndex};
    if (mode == PlayMode::Range) request.selected = c.list.selectedLines();
    std::string problem;
    const auto stretch = playbackStretch(request, problem);
    if (!stretch) {
        c.ui.error(problem);
        return std::nullopt;
    }
    if (mode == PlayMode::Next) {
        c.list.clearSelection();
        for (int i = stretch->first; i < std::min(stretch->end, gopCount); ++i) c.list.select(i);
        c.list.scrollToTop(stretch->first);
        c.list.setCaretLine(stretch->first);
        c.list.focus();
    }
    return playGops({c.state, c.shell, c.ui, c.buffer, c.platform}, *stretch, mode, workingFiles);
}

}  // namespace velmorin
