#include "app/main_commands.h"

#include "app/settings_file.h"
#include "play/playback_command.h"
#include "scan/vob_scanner.h"

namespace velmorin {

bool runInputFileCommand(MainCommandContext c, SourceDialogLauncher& dialog,
                         const std::function<void()>& refreshPreview) {
    if (c.shell.busy) return false;
    std::string finalFolder;
    if (!dialog.runSourceDialog(c.state.settings.lastSourceFolder, "入力ﾌｧｲﾙ選択", finalFolder))
        return false;
    c.state.settings.lastSourceFolder = finalFolder;

    c.shell.busy = true;
    c.shell.cancelRequested = false;
    c.shell.continuePosition = 0;
    const bool ok = VobScanner(scanTargetOf(c.state, c.shell), c.ui, c.list, c.buffer).run();
    c.shell.busy = false;

    if (refreshPreview) refreshPreview();
    c.list.clearSelection();
    c.list.select(0);
    c.list.setCaretLine(0);
    return ok;
}

bool mayCloseMainWindow(const AppState& state, const ShellState& shell, Ui& ui) {
    if (shell.busy) return false;
    if (state.inputFiles.fileCount > 0) return ui.confirm(kQuitQuestion);
    return true;
}

void shutDown(const AppState& state, const ShellState& shell, const std::string& settingsPath) {
    saveSettings(settingsPath, state.settings);
    removeWorkingFiles(workingFolderOf(shell));
}

bool maySessionEnd(const ShellState& shell) {
    return !shell.busy;
}

void endSession(bool ending, const AppState& state, const ShellState& shell,
                const std::string& settingsPath) {
    if (ending) shutDown(state, shell, settingsPath);
}

}  // namespace velmorin
