// The main window: menu bar, the main dialog as its client, and the command table that
// routes every button and menu item to the core, guarded by the busy state.
#pragma once

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "app/command_table.h"
#include "app/timed_mute_dialog.h"
#include "my_dialog.h"
#include "platform/sector_buffer.h"
#include "pre_view_frame_window.h"
#include "preview/preview_decoder.h"
#include "project/project_commands.h"
#include "qt_ui.h"
#include "state/app_state.h"

namespace velmorin::gui {

class MyFrameWindow : public QMainWindow,
                      private SourceDialogLauncher,
                      private ProjectFileDialogs,
                      private MainWindowActions {
    Q_OBJECT
public:
    MyFrameWindow(std::unique_ptr<AppState> state, ShellState shell, std::string settingsPath);

    AppState& state() { return *state_; }
    ShellState& shell() { return shell_; }
    MyDialog& client() { return *client_; }

public slots:
    // Runs the command with the control or menu id.
    void runCommand(int id);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool runSourceDialog(const std::string& startFolder, const std::string& caption,
                         std::string& finalFolder) override;
    std::optional<std::string> chooseProjectToOpen(const std::string& folder,
                                                   const std::string& fileName) override;
    std::optional<std::string> chooseProjectToSave(const std::string& folder,
                                                   const std::string& fileName) override;
    void buildMenu();
    // The preview update: closes the window when the option is off, otherwise shows the
    // GOP at the caret, opening the window when needed.
    void refreshPreview() override;
    bool runSettingsDialog() override;
    void showAboutDialog() override;
    void runTimedMuteDialog() override;
    void requestClose() override;
    void openDocument(const std::string& path) override;

public:
    PreViewFrameWindow* previewWindow() const { return preview_; }

private:
    std::unique_ptr<AppState> state_;
    ShellState shell_;
    std::string settingsPath_;
    SectorBuffer buffer_;
    MyDialog* client_;
    QtUi ui_;
    preview::PreviewDecoder decoder_;
    QPointer<PreViewFrameWindow> preview_;
    bool shutDown_ = false;
    QKeySequence helpKey_;             // Alt+H, shared by the help button and the help menu
    TimedMuteFields timedMuteFields_;  // "時間指定で無音化" opens with these next time
};

}  // namespace velmorin::gui
