// The main window "VELMORIN:MAIN": the menu bar, the main dialog as its client, a fixed
// size, and the core's command table behind every button and menu item.
#pragma once

#include <memory>
#include <string>

#include "app/command_table.h"
#include "app/timed_mute_dialog.h"
#include "my_dialog.h"
#include "platform/sector_buffer.h"
#include "pre_view_frame_window.h"
#include "preview/preview_decoder.h"
#include "state/app_state.h"
#include "win32.h"
#include "win32_ui.h"

namespace velmorin::win32 {

class MyFrameWindow : private SourceDialogLauncher,
                      private ProjectFileDialogs,
                      private MainWindowActions {
public:
    static constexpr const wchar_t* kClassName = L"VELMORIN:MAIN";

    MyFrameWindow(std::unique_ptr<AppState> state, ShellState shell, std::string settingsPath,
                  std::string logoFile);
    ~MyFrameWindow() override;

    // Creates the window (its set-up shows the start-up picture first) and shows it.
    bool create(int show);
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK procedure(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    void setUp();
    void runCommand(int id);

    bool runSourceDialog(const std::string& startFolder, const std::string& caption,
                         std::string& finalFolder) override;
    std::optional<std::string> chooseProjectToOpen(const std::string& folder,
                                                   const std::string& fileName) override;
    std::optional<std::string> chooseProjectToSave(const std::string& folder,
                                                   const std::string& fileName) override;
    void refreshPreview() override;
    bool runSettingsDialog() override;
    void showAboutDialog() override;
    void runTimedMuteDialog() override;
    void requestClose() override;
    void openDocument(const std::string& path) override;

    std::unique_ptr<AppState> state_;
    ShellState shell_;
    std::string settingsPath_;
    std::string logoFile_;  // the start-up picture, where the program's layout keeps it
    SectorBuffer buffer_;
    Win32Ui ui_;
    preview::PreviewDecoder decoder_;
    PreViewFrameWindow preview_;
    MyDialog client_;
    HWND hwnd_ = nullptr;
    RECT fixed_{};               // the window rectangle once set up; its size stays
    bool shutDownDone_ = false;  // settings saved and working files deleted
    HWND focus_ = nullptr;       // the client's control that had the focus
    // "時間指定で無音化" as it was last left, for its next time in this run.
    TimedMuteFields timedMuteFields_;
};

}  // namespace velmorin::win32
