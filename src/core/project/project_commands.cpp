#include "project/project_commands.h"

#include <filesystem>

#include "platform/binary_file.h"
#include "platform/native_path.h"
#include "project/project_file.h"

namespace velmorin {

namespace {

// The dialogs start where the last project was, or in the layout's starting folder.
std::pair<std::string, std::string> startingPlace(const AppState& state, const ShellState& shell) {
    if (state.lastProjectPath.empty()) return {startFolderOf(shell), "*.prj"};
    const auto path = nativePath(state.lastProjectPath);
    return {withTrailingSeparator(utf8Path(path.parent_path())), utf8Path(path.filename())};
}

}  // namespace

bool runOpenProjectCommand(ProjectCommandContext c) {
    if (c.shell.busy) return false;
    const auto [folder, name] = startingPlace(c.state, c.shell);
    const auto chosen = c.dialogs.chooseProjectToOpen(folder, name);
    if (!chosen) return false;
    c.state.lastProjectPath = *chosen;
    return loadProject(*chosen, c.state, c.list, c.ui);
}

bool runSaveProjectCommand(ProjectCommandContext c) {
    if (c.shell.busy) return false;
    const auto [folder, name] = startingPlace(c.state, c.shell);
    const auto chosen = c.dialogs.chooseProjectToSave(folder, name);
    if (!chosen) return false;
    c.state.lastProjectPath = *chosen;
    return saveProject(*chosen, c.state, c.ui);
}

}  // namespace velmorin
