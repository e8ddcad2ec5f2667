// The program's one state record (what a project file stores) and the main window's
// shell state beside it (not stored).
#pragma once

#include <cstdint>
#include <string>

#include "platform/native_path.h"
#include "scan/chapter_info.h"
#include "scan/gop_lines.h"
#include "scan/gop_table.h"
#include "scan/input_file_set.h"
#include "scan/source_options.h"
#include "scan/vob_scanner.h"
#include "state/settings.h"

namespace velmorin {

struct AppState {
    Settings settings;
    SourceOptions sourceOptions;
    ChapterInfo chapterInfo;
    InputFileSet inputFiles;
    GopTable gopTable;
    std::string lastProjectPath;
    // Not stored in the record: built by the scan, rebuilt from a project's lines.
    GopLines gopLines;
};

struct ShellState {
    bool busy = false;
    bool cancelRequested = false;  // set when the user closes the progress window
    std::int32_t continuePosition = 0;
    std::string programFolder;
    // Where playback's working files go; the program's folder when empty.
    std::string workingFolder;
    // The help document; README.HTM in the program's folder when empty.
    std::string helpFile;
    // Where the source and project dialogs start when nothing was chosen before; the
    // program's folder when empty.
    std::string startFolder;
};

inline constexpr const char* kHelpFileName = "README.HTM";

inline const std::string& workingFolderOf(const ShellState& shell) {
    return shell.workingFolder.empty() ? shell.programFolder : shell.workingFolder;
}

inline const std::string& startFolderOf(const ShellState& shell) {
    return shell.startFolder.empty() ? shell.programFolder : shell.startFolder;
}

inline std::string helpFileOf(const ShellState& shell) {
    return shell.helpFile.empty() ? withTrailingSeparator(shell.programFolder) + kHelpFileName
                                  : shell.helpFile;
}

// The parts of the state record a scan reads and fills.
inline ScanTarget scanTargetOf(AppState& state, const ShellState& shell) {
    return {state.inputFiles, state.sourceOptions, state.chapterInfo,
            state.gopTable,   state.gopLines,      shell.cancelRequested};
}

}  // namespace velmorin
