// What the program sets up before its main window exists: the program folder, the
// settings (loaded from the file beside the program) and the start-up arguments.
#pragma once

#include <memory>
#include <string>

#include "state/app_state.h"

namespace velmorin {

struct ProgramStartup {
    std::unique_ptr<AppState> state;
    ShellState shell;
    std::string settingsPath;
};

// `programPath` is the running program's full path; `argumentText` what followed it on
// the command line. options.txt beside the program replaces the command line's arguments.
ProgramStartup prepareProgramStartup(const std::string& programPath,
                                     const std::string& argumentText);

}  // namespace velmorin
