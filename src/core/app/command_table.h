// The main window's command table: which operation each button and menu id runs, the
// busy guard in front of them, and the preview update the list's selection asks for. Both
// desktop front ends route every command through here.
#pragma once

#include <string>

#include "app/main_commands.h"
#include "platform/platform.h"
#include "platform/sector_buffer.h"
#include "preview/preview_decoder.h"
#include "project/project_commands.h"
#include "state/app_state.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin {

// What the commands ask of the desktop's main window itself.
class MainWindowActions {
public:
    virtual ~MainWindowActions() = default;
    // The preview update (see previewUpdate below).
    virtual void refreshPreview() = 0;
    // The settings dialog, modal over the main window; true when it ended with OK.
    virtual bool runSettingsDialog() = 0;
    virtual void showAboutDialog() = 0;
    // "時間指定で無音化", modal over the main window.
    virtual void runTimedMuteDialog() = 0;
    // A close request for the main window (it asks mayCloseMainWindow first).
    virtual void requestClose() = 0;
    // Opens a document with the desktop's default application; failures go unreported.
    virtual void openDocument(const std::string& path) = 0;
};

struct MainWindowContext {
    AppState& state;
    ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
    Platform& platform;
    SourceDialogLauncher& sourceDialog;
    ProjectFileDialogs& projectDialogs;
    MainWindowActions& window;
};

// Runs the command of main window control or menu item `id` (ids::main_window,
// ids::menu); a double click on the GOP list is its id. Every command but help does
// nothing while the window is busy.
void runMainCommand(MainWindowContext context, int id);

// What the preview window should do after the GOP list's selection changed.
struct PreviewUpdate {
    enum class Action {
        Close,    // the preview is switched off
        Nothing,  // no GOPs
        Show,     // show `request`, opening the window when none is open
    };
    Action action = Action::Nothing;
    preview::PreviewRequest request;
};
PreviewUpdate previewUpdate(const AppState& state, const GopListView& list);

}  // namespace velmorin
