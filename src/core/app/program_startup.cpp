#include "app/program_startup.h"

#include <filesystem>

#include "app/settings_file.h"
#include "app/startup_arguments.h"
#include "platform/binary_file.h"
#include "platform/native_path.h"

namespace velmorin {

ProgramStartup prepareProgramStartup(const std::string& programPath,
                                     const std::string& argumentText) {
    ProgramStartup startup;
    startup.shell.programFolder =
        withTrailingSeparator(utf8Path(nativePath(programPath).parent_path()));
    const StartupArguments arguments =
        parseStartupArguments(argumentText, readOptionsLine(startup.shell.programFolder));

    startup.state = std::make_unique<AppState>();
    startup.settingsPath = settingsPathFor(programPath);
    // The source folder starts at the program's folder unless the settings name another.
    startup.state->settings =
        loadSettings(startup.settingsPath, defaultSettings(startup.shell.programFolder));
    startup.state->sourceOptions = SourceOptions{};
    startup.state->sourceOptions.interleaveCheck = arguments.interleaveCheck;
    return startup;
}

}  // namespace velmorin
