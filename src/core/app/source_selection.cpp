#include "app/source_selection.h"

#include "dvd/vtsi_reader.h"
#include "platform/native_path.h"
#include "platform/path_field.h"

namespace velmorin {

void setReadByVtsi(SourceOptions& options, PathBrowser& browser, bool on) {
    options.readByVtsi = on;
    browser.setListsVtsiFiles(on);
    browser.refresh(browser.folder());
}

namespace {

bool selectInto(const PathBrowser& browser, const SourceOptions& options, ChapterInfo& chapters,
                InputFileSet& files, Ui& ui, Platform& platform) {
    chapters.firstCellSector = 0;
    chapters.cellIsEntry.fill(0);
    const std::string folder = withTrailingSeparator(browser.folder());
    std::vector<std::string> names;
    for (const int i : browser.selectedFiles())
        if (i >= 0 && i < static_cast<int>(browser.files().size()) &&
            names.size() < InputFileSet::kMaxFiles)
            names.push_back(browser.files()[static_cast<std::size_t>(i)]);
    if (names.empty()) {
        ui.error(kNoFileSelected);
        return false;
    }
    if (options.readByVtsi)
        return readVtsi(folder, names.front(), options, chapters, files, ui, platform);
    files.fileCount = static_cast<std::int32_t>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) files.filePath[i] = folder + names[i];
    return true;
}

}  // namespace

bool selectSource(const PathBrowser& browser, const SourceOptions& options, ChapterInfo& chapters,
                  InputFileSet& files, Ui& ui, Platform& platform) {
    ChapterInfo newChapters = chapters;
    InputFileSet newFiles = files;
    if (!selectInto(browser, options, newChapters, newFiles, ui, platform)) {
        chapters = newChapters;  // reset, or partly read, by a select that failed
        return false;
    }
    if (!pathFitsField(browser.folder())) {
        ui.error(pathNotStorableMessage(browser.folder()));
        return false;
    }
    chapters = newChapters;
    files = newFiles;
    return true;
}

}  // namespace velmorin
