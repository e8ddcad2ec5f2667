#include "app/command_table.h"

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "mute/mute_command.h"
#include "scripted_ui.h"
#include "ui/control_ids.h"
#include "ui/memory_gop_list.h"

namespace velmorin {
namespace {

// The main window as the command table sees it: records what it was asked to do, and a
// settings dialog that "presses OK" after turning the preview option over.
class RecordingWindow : public MainWindowActions,
                        public SourceDialogLauncher,
                        public ProjectFileDialogs {
public:
    explicit RecordingWindow(AppState& state) : state_(state) {}
    void refreshPreview() override { calls.push_back("preview"); }
    bool runSettingsDialog() override {
        calls.push_back("settings");
        if (flipPreview) state_.settings.previewEnabled = !state_.settings.previewEnabled;
        return true;
    }
    void showAboutDialog() override { calls.push_back("about"); }
    void runTimedMuteDialog() override { calls.push_back("timed"); }
    void requestClose() override { calls.push_back("close"); }
    void openDocument(const std::string& path) override { calls.push_back("open " + path); }
    bool runSourceDialog(const std::string&, const std::string&, std::string&) override {
        calls.push_back("source");
        return false;
    }
    std::optional<std::string> chooseProjectToOpen(const std::string&,
                                                   const std::string&) override {
        return std::nullopt;
    }
    std::optional<std::string> chooseProjectToSave(const std::string&,
                                                   const std::string&) override {
        return std::nullopt;
    }

    std::vector<std::string> calls;
    bool flipPreview = false;

private:
    AppState& state_;
};

class CommandTableTest : public testing::Test {
protected:
    void run(int id) {
        runMainCommand({state, shell, ui, list, buffer, platform, window, window, window}, id);
    }

    AppState state;
    ShellState shell = [] {
        ShellState s;
        s.programFolder = "/program/";
        return s;
    }();
    test::ScriptedUi ui{shell};
    MemoryGopList list;
    SectorBuffer buffer;
    test::FakePlatform platform;
    RecordingWindow window{state};
};

namespace m = ids::main_window;
namespace menu = ids::menu;

TEST_F(CommandTableTest, WhileBusyOnlyHelpRuns) {
    shell.busy = true;
    for (int id :
         {m::kInputFiles, menu::kOpenInputFiles, m::kOptions, menu::kAbout, m::kExit, menu::kExit,
          m::kSilenceFirstQuarter, menu::kOpenProject, menu::kSaveProject, menu::kMuteByTime})
        run(id);
    run(m::kHelp);
    run(menu::kHelp);
    const std::string help = "open " + withTrailingSeparator("/program/") + "README.HTM";
    EXPECT_EQ(window.calls, (std::vector<std::string>{help, help}));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommandTableTest, CommandsReachTheirWindowsAndDialogs) {
    for (int id : {m::kInputFiles, menu::kOpenInputFiles, menu::kAbout, m::kExit, menu::kExit})
        run(id);
    EXPECT_EQ(window.calls,
              (std::vector<std::string>{"source", "source", "about", "close", "close"}));
}

TEST_F(CommandTableTest, MuteByTimeNeedsAnOpenedTitle) {
    run(menu::kMuteByTime);
    EXPECT_EQ(ui.messages, (std::vector<test::UiMessage>{{"error", kNoInputData}}));
    state.gopTable.gopCount = 1;
    run(menu::kMuteByTime);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"timed"}));
}

TEST_F(CommandTableTest, SettingsRefreshThePreviewOnlyWhenItsOptionChanged) {
    run(m::kOptions);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"settings"}));
    window.flipPreview = true;
    run(m::kOptions);
    EXPECT_EQ(window.calls, (std::vector<std::string>{"settings", "settings", "preview"}));
}

TEST_F(CommandTableTest, PreviewUpdateFollowsTheOptionAndTheTable) {
    state.settings.previewEnabled = false;
    EXPECT_EQ(previewUpdate(state, list).action, PreviewUpdate::Action::Close);
    state.settings.previewEnabled = true;
    EXPECT_EQ(previewUpdate(state, list).action, PreviewUpdate::Action::Nothing);
}

}  // namespace
}  // namespace velmorin
