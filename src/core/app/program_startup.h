// What the program sets up before its main window exists: the program folder, the
// settings (loaded from the program's settings file) and the start-up arguments.
#pragma once

#include <memory>
#include <string>

#include "app/program_files.h"
#include "state/app_state.h"

namespace velmorin {

struct ProgramStartup {
    std::unique_ptr<AppState> state;
    ShellState shell;
    std::string settingsPath;
    ProgramFiles files;  // the paths in force; settingsPath is files.settingsFile
};

// `programPath` is the running program's full path; `argumentText` what followed it on
// the command line. options.txt (beside the program, or in the user's settings folder of
// an installed program) replaces the command line's arguments.
ProgramStartup prepareProgramStartup(const std::string& programPath,
                                     const std::string& argumentText);

// The same with the layout already chosen.
ProgramStartup prepareProgramStartup(const ProgramFiles& files, const std::string& argumentText);

}  // namespace velmorin
