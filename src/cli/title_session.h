// An opened title for one run of the tool: the state record, the console's window
// system, the GOP list and the sector buffer, filled by a scan of the given VOB files.
#pragma once

#include <memory>
#include <optional>

#include "arguments.h"
#include "console_ui.h"
#include "exit_status.h"
#include "platform/sector_buffer.h"
#include "state/app_state.h"
#include "ui/memory_gop_list.h"

namespace velmorin::cli {

// A path as the program keeps it: absolute and without "." or ".." parts.
std::string absolutePath(const std::string& path);

class TitleSession {
public:
    explicit TitleSession(const TitleArguments& args);

    // Scans the title (or loads the project).
    Failure open();

    AppState& state() { return *state_; }
    ShellState& shell() { return shell_; }
    ConsoleUi& ui() { return ui_; }
    MemoryGopList& list() { return list_; }
    SectorBuffer& buffer() { return buffer_; }

    // True (and says so on standard error) when `out` is one of the title's own files:
    // an output written there would destroy its input.
    bool refusesAsOutput(const std::string& out) const;

private:
    TitleArguments args_;
    std::unique_ptr<AppState> state_ = std::make_unique<AppState>();
    ShellState shell_;
    ConsoleUi ui_;
    MemoryGopList list_;
    SectorBuffer buffer_;
};

}  // namespace velmorin::cli
