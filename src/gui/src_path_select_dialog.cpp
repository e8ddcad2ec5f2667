#include "src_path_select_dialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "app/source_selection.h"
#include "dialog_template.h"
#include "dvd/title_table.h"
#include "title_inf_dialog.h"

namespace velmorin::gui {

namespace source = ids::path_dialog::source;

SrcPathSelectDialog::SrcPathSelectDialog(QWidget* parent, AppState& state, const ShellState& shell,
                                         const QString& caption, const std::string& startFolder)
    : PathDialog(parent, PathBrowser::Kind::Source, shell.programFolder, {}),
      state_(state),
      shellCopy_(shell),
      ui_(this, shellCopy_) {
    setObjectName("SrcPathSelectDialog");
    setWindowTitle(caption);
    setUpControls(sourcePathDialogTemplate());
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* vtsi = control<QCheckBox>(this, source::kReadByVtsi);
    auto* bySector = control<QRadioButton>(this, source::kChaptersBySectorMatch);
    auto* byCells = control<QRadioButton>(this, source::kChaptersByCellCount);
    auto* fast = control<QCheckBox>(this, source::kFastRead);
    auto& options = state_.sourceOptions;
    vtsi->setChecked(options.readByVtsi);
    bySector->setEnabled(options.readByVtsi);
    byCells->setEnabled(options.readByVtsi);
    (options.chapterMethod == ChapterMethod::SectorMatch ? bySector : byCells)->setChecked(true);
    fast->setChecked(options.fastRead);
    browser_.setListsVtsiFiles(options.readByVtsi);

    // Options take effect at once, also when the dialog is then cancelled.
    connect(vtsi, &QCheckBox::toggled, this, [this, bySector, byCells](bool on) {
        bySector->setEnabled(on);
        byCells->setEnabled(on);
        setReadByVtsi(state_.sourceOptions, browser_, on);
        showBrowser();
    });
    connect(bySector, &QRadioButton::toggled, this, [this](bool on) {
        state_.sourceOptions.chapterMethod =
            on ? ChapterMethod::SectorMatch : ChapterMethod::CountCells;
    });
    connect(fast, &QCheckBox::toggled, this,
            [this](bool on) { state_.sourceOptions.fastRead = on; });
    connect(control<QPushButton>(this, source::kShowTitleInfo), &QPushButton::clicked, this,
            [this] { showTitleInformation(); });
    connect(control<QPushButton>(this, ids::path_dialog::kSelect), &QPushButton::clicked, this,
            [this] { select(); });

    browser_.refresh(startFolder);
    showBrowser();
}

void SrcPathSelectDialog::select() {
    browser_.setSelectedFiles(selectedFileRows());
    if (selectSource(browser_, state_.sourceOptions, state_.chapterInfo, state_.inputFiles, ui_,
                     systemPlatform()))
        accept();
}

void SrcPathSelectDialog::showTitleInformation() {
    const auto lines = readTitleInformation(browser_.folder(), ui_, systemPlatform());
    if (!lines) return;
    TitleInfDialog(this, *lines).exec();
}

}  // namespace velmorin::gui
