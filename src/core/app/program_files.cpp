#include "app/program_files.h"

#include "app/logo_bitmap.h"
#include "app/settings_file.h"
#include "platform/native_path.h"
#include "platform/user_folders.h"
#include "state/app_state.h"

namespace velmorin {

namespace {

constexpr const char* kOptionsFileName = "options.txt";

}  // namespace

const char* layoutName(FileLayout layout) {
    return layout == FileLayout::Installed ? "installed" : "portable";
}

ProgramFiles programFilesFor(const std::string& programPath, bool programFolderWritable,
                             const InstalledFolders& installed) {
    ProgramFiles files;
    files.programFolder = withTrailingSeparator(utf8Path(nativePath(programPath).parent_path()));
    const std::string settingsPath = settingsPathFor(programPath);
    const bool portable =
        programFolderWritable || installed.settings.empty() || installed.cache.empty();
    if (portable) {
        files.settingsFile = settingsPath;
        files.optionsFile = files.programFolder + kOptionsFileName;
        files.workingFolder = files.programFolder;
        files.logoFile = files.programFolder + kLogoFileName;
        files.helpFile = files.programFolder + kHelpFileName;
        files.startFolder = files.programFolder;
        return files;
    }
    // The settings file keeps its name; only its folder changes.
    const std::string settings = withTrailingSeparator(installed.settings);
    const std::string data = withTrailingSeparator(installed.data);
    files.layout = FileLayout::Installed;
    files.settingsFile = settings + utf8Path(nativePath(settingsPath).filename());
    files.optionsFile = settings + kOptionsFileName;
    files.workingFolder = withTrailingSeparator(installed.cache);
    files.logoFile = data + kLogoFileName;
    files.helpFile = data + kHelpFileName;
    files.startFolder = installed.documents.empty() ? files.programFolder
                                                    : withTrailingSeparator(installed.documents);
    return files;
}

ProgramFiles locateProgramFiles(const std::string& programPath) {
    const std::string folder = utf8Path(nativePath(programPath).parent_path());
    if (folderIsWritable(folder) && !hasInstalledDataFolder(folder))
        return programFilesFor(programPath, true, {});
    return programFilesFor(programPath, false,
                           {userSettingsFolder(), userCacheFolder(), installedDataFolder(folder),
                            userDocumentsFolder()});
}

}  // namespace velmorin
