// The main window's commands that are not another module's: the input-file command
// around the scan, closing, and the clean-up at exit.
#pragma once

#include <functional>
#include <string>

#include "platform/sector_buffer.h"
#include "state/app_state.h"
#include "ui/gop_list_view.h"
#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kMainCaption = "Velmorin Ver 1.00  (Tessaline)";
inline constexpr const char* kQuitQuestion = "終了しますか？";

// The source selection dialog, run modally with a starting folder and caption; true when
// it ends with OK (it has then filled the input file set). `finalFolder` receives the
// folder it showed last.
class SourceDialogLauncher {
public:
    virtual ~SourceDialogLauncher() = default;
    virtual bool runSourceDialog(const std::string& startFolder, const std::string& caption,
                                 std::string& finalFolder) = 0;
};

struct MainCommandContext {
    AppState& state;
    ShellState& shell;
    Ui& ui;
    GopListView& list;
    SectorBuffer& buffer;
};

// "入力ﾌｧｲﾙ...": the source dialog, then the scan. The preview is refreshed and line 0
// selected afterwards, whether or not the scan succeeded. Returns whether it scanned
// successfully.
bool runInputFileCommand(MainCommandContext context, SourceDialogLauncher& dialog,
                         const std::function<void()>& refreshPreview);

// Whether the main window may close now: never while busy; with input open, if the user
// says Yes to "終了しますか？".
bool mayCloseMainWindow(const AppState& state, const ShellState& shell, Ui& ui);

// At exit: the settings are saved, then the working files removed.
void shutDown(const AppState& state, const ShellState& shell, const std::string& settingsPath);

// Whether the system may end the session (log-off, shut-down) now: never while a command is
// busy, else always, without the quit question: nobody is there to answer it.
bool maySessionEnd(const ShellState& shell);

// The session ends (`ending`) or goes on after all: when it ends, the same clean-up as at
// exit, since the program gets no further chance to save its settings or delete its
// working files.
void endSession(bool ending, const AppState& state, const ShellState& shell,
                const std::string& settingsPath);

}  // namespace velmorin
