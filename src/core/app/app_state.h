// The program's one state record (what a project file stores) and the main window's
// shell state beside it (not stored).
#pragma once

#include <cstdint>
#include <string>

#include "app/settings.h"
#include "dvd/chapter_info.h"
#include "scan/gop_table.h"
#include "scan/input_file_set.h"
#include "scan/source_options.h"

namespace velmorin {

struct AppState {
    Settings settings;
    SourceOptions sourceOptions;
    ChapterInfo chapterInfo;
    InputFileSet inputFiles;
    GopTable gopTable;
    std::string lastProjectPath;
};

struct ShellState {
    bool busy = false;
    bool cancelRequested = false;  // set when the user closes the progress window
    std::int32_t continuePosition = 0;
    std::string programFolder;
};

}  // namespace velmorin
