#include "app/program_startup.h"

#include <filesystem>

#include "app/settings_file.h"
#include "app/startup_arguments.h"
#include "platform/native_path.h"

namespace velmorin {

ProgramStartup prepareProgramStartup(const std::string& programPath,
                                     const std::string& argumentText) {
    return prepareProgramStartup(locateProgramFiles(programPath), argumentText);
}

ProgramStartup prepareProgramStartup(const ProgramFiles& files, const std::string& argumentText) {
    ProgramStartup startup;
    startup.files = files;
    startup.shell.programFolder = files.programFolder;
    startup.shell.workingFolder = files.workingFolder;
    startup.shell.helpFile = files.helpFile;
    startup.shell.startFolder = files.startFolder;
    const std::string optionsFolder = utf8Path(nativePath(files.optionsFile).parent_path());
    const StartupArguments arguments =
        parseStartupArguments(argumentText, readOptionsLine(optionsFolder));

    startup.state = std::make_unique<AppState>();
    startup.settingsPath = files.settingsFile;
    // The source folder starts at the layout's starting folder unless the settings name
    // another.
    startup.state->settings =
        loadSettings(startup.settingsPath, defaultSettings(startFolderOf(startup.shell)));
    startup.state->sourceOptions = SourceOptions{};
    startup.state->sourceOptions.interleaveCheck = arguments.interleaveCheck;
    return startup;
}

}  // namespace velmorin
