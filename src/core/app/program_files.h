// Where the program's own files are. Unpacked into a folder of its own (portable), the
// program keeps everything in that folder. Installed where the user may not write (from a
// package into /usr/bin, or into "C:\Program Files"), it keeps the settings file,
// options.txt and the working files in the user's own folders and reads the start-up
// picture and the help document from the installation's data folder.
#pragma once

#include <string>

namespace velmorin {

enum class FileLayout { Portable, Installed };

// "portable" or "installed".
const char* layoutName(FileLayout layout);

// The paths in force for a run; folders end in the separator.
struct ProgramFiles {
    FileLayout layout = FileLayout::Portable;
    std::string programFolder;
    std::string settingsFile;
    std::string optionsFile;
    std::string workingFolder;
    std::string logoFile;
    std::string helpFile;
    // Where the source and project dialogs start when nothing was chosen before: the
    // program's folder when portable, the user's own folder (Documents, home) when installed,
    // where no user keeps a disc in the program's folder.
    std::string startFolder;

    bool operator==(const ProgramFiles&) const = default;
};

// The installed layout's folders: the user's settings and cache folders, the data folder,
// and the user's own folder.
struct InstalledFolders {
    std::string settings;
    std::string cache;
    std::string data;
    std::string documents;
};

// The rule itself: portable when the program's folder may be written, installed
// otherwise. An installation whose user folders the system cannot name stays portable.
ProgramFiles programFilesFor(const std::string& programPath, bool programFolderWritable,
                             const InstalledFolders& installed);

// The layout of the program file `programPath` for the running user.
ProgramFiles locateProgramFiles(const std::string& programPath);

}  // namespace velmorin
