// The project commands' file dialogs: the common dialogs (GetOpenFileNameW,
// GetSaveFileNameW) with the project filter, the starting folder and file name, and (for
// saving) the question before an existing file is replaced. The open dialog also serves
// other files, with their own filter.
#pragma once

#include <optional>
#include <string>

#include "win32.h"

namespace velmorin::win32 {

class MyFileOpenDialog {
public:
    // The chosen full path, or nothing when the user cancelled.
    static std::optional<std::string> run(HWND owner, const std::string& folder,
                                          const std::string& fileName);
};

class MyFileSaveDialog {
public:
    static std::optional<std::string> run(HWND owner, const std::string& folder,
                                          const std::string& fileName);
};

// The open dialog with another filter ("text|pattern" pairs, the first selected).
std::optional<std::string> chooseFileToOpen(HWND owner, const std::string& folder,
                                            const std::string& fileName, const std::string& filter);

}  // namespace velmorin::win32
