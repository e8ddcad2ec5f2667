// The source selection dialog's decisions: its option clicks and its select button.
#pragma once

#include "app/path_browser.h"
#include "scan/chapter_info.h"
#include "scan/input_file_set.h"
#include "scan/source_options.h"
#include "ui/ui.h"

namespace velmorin {

inline constexpr const char* kNoFileSelected = "ファイルが選択されていません.";

// "VTSI情報でﾘｰﾄﾞ": the option takes effect at once and the file list switches between
// VTSI and VOB files.
void setReadByVtsi(SourceOptions& options, PathBrowser& browser, bool on);

// The select button: the VTSI file's VOB set, or the selected VOB files in list order,
// become the input file set. Reports every failure; true when the dialog ends with OK.
// The browser's folder is then remembered in the settings file: a folder that cannot be
// stored there refuses a selection that would otherwise succeed, leaving the input file
// set and the chapter information as they were.
bool selectSource(const PathBrowser& browser, const SourceOptions& options, ChapterInfo& chapters,
                  InputFileSet& files, Ui& ui, Platform& platform);

}  // namespace velmorin
