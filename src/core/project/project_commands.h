// "ﾌﾟﾛｼﾞｪｸﾄを開く(&L)..." and "ﾌﾟﾛｼﾞｪｸﾄを保存(&S)...": the file dialogs, then load or save.
#pragma once

#include <optional>
#include <string>

#include "state/app_state.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin {

// The platform's file dialogs with the filter "ﾌﾟﾛｼﾞｪｸﾄ(*.prj)|*.prj"; nothing when the
// user cancels.
class ProjectFileDialogs {
public:
    virtual ~ProjectFileDialogs() = default;
    virtual std::optional<std::string> chooseProjectToOpen(const std::string& folder,
                                                           const std::string& fileName) = 0;
    virtual std::optional<std::string> chooseProjectToSave(const std::string& folder,
                                                           const std::string& fileName) = 0;
};

inline constexpr const char* kProjectFilter = "ﾌﾟﾛｼﾞｪｸﾄ(*.prj)|*.prj";

struct ProjectCommandContext {
    AppState& state;
    const ShellState& shell;
    Ui& ui;
    GopListView& list;
    ProjectFileDialogs& dialogs;
};

// Both return whether the project was loaded or saved.
bool runOpenProjectCommand(ProjectCommandContext context);
bool runSaveProjectCommand(ProjectCommandContext context);

}  // namespace velmorin
