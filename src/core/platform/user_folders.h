// The folders of a program installed for every user, whose own folder the user may not
// write: the user's folders for its settings and its passing files, and the folder its
// read-only data was installed into.
#pragma once

#include <string>

namespace velmorin {

// Whether the running user may create files in `folder`.
bool folderIsWritable(const std::string& folder);

// The user's folder for this program's settings, ending in its separator:
// $XDG_CONFIG_HOME/velmorin/ (or ~/.config/velmorin/), %APPDATA%\Velmorin\ on Windows.
// Empty when the system names no such folder. Not created here.
std::string userSettingsFolder();

// The same for files that may be thrown away (playback's working files):
// $XDG_CACHE_HOME/velmorin/ (or ~/.cache/velmorin/), %LOCALAPPDATA%\Velmorin\ on Windows.
std::string userCacheFolder();

// The user's own folder, where the user keeps files, ending in its separator: the home
// folder ($HOME), Documents on Windows. Empty when the system names none.
std::string userDocumentsFolder();

// Where an installation keeps the files the program only reads, ending in its separator:
// <prefix>/share/velmorin/ beside <prefix>/bin/, or the program's own folder on Windows.
std::string installedDataFolder(const std::string& programFolder);

// Whether an installation's data folder stands beside the program (on Linux: a package,
// `cmake --install`, or a prefix in the user's own ~/.local), so that a program folder the
// user may write (root's /usr/bin, ~/.local/bin) is still an installation. Never on
// Windows, where the data folder is the program's own.
bool hasInstalledDataFolder(const std::string& programFolder);

// Creates `folder` and the folders above it that are missing; true when it exists then.
bool createFolders(const std::string& folder);

}  // namespace velmorin
