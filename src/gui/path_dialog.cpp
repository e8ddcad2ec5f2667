#include "path_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "platform/platform.h"

namespace velmorin::gui {

namespace {

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList out;
    for (const auto& t : texts) out << QString::fromStdString(t);
    return out;
}

}  // namespace

PathDialog::PathDialog(QWidget* parent, PathBrowser::Kind kind, const std::string& programFolder,
                       const std::string& pattern)
    : QDialog(parent), browser_(systemPlatform(), kind, programFolder, pattern) {
    setFont(dialogFont());
    paintLightGrey(this);
}

void PathDialog::setUpControls(const DialogTemplate& dialog) {
    setFixedSize(layoutDialog(this, dialog));
    driveList_ = control<QListView>(this, ids::path_dialog::kDrives);
    folderList_ = control<QListView>(this, ids::path_dialog::kFolders);
    fileList_ = control<QListView>(this, ids::path_dialog::kFiles);
    driveList_->setModel(&drives_);
    folderList_->setModel(&folders_);
    fileList_->setModel(&files_);
    for (auto* list : {driveList_, folderList_, fileList_})
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);

    connect(control<QPushButton>(this, ids::path_dialog::kRoot), &QPushButton::clicked, this,
            [this] {
                browser_.goToVolumeRoot();
                showBrowser();
            });
    connect(control<QPushButton>(this, ids::kCancel), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(folderList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        browser_.chooseFolder(index.row());
        showBrowser();
    });
    connect(driveList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        browser_.chooseVolume(index.row());
        showBrowser();
    });
}

void PathDialog::showBrowser() {
    control<QLabel>(this, ids::path_dialog::kPathDisplay)
        ->setText(QString::fromStdString(browser_.folder()));
    std::vector<std::string> labels;
    for (const auto& v : browser_.volumes()) labels.push_back(v.label);
    drives_.setStringList(toQt(labels));
    folders_.setStringList(toQt(browser_.folders()));
    files_.setStringList(toQt(browser_.files()));
    if (!labels.empty()) driveList_->setCurrentIndex(drives_.index(browser_.selectedVolume()));
    if (!browser_.folders().empty()) folderList_->setCurrentIndex(folders_.index(0));
    fileList_->clearSelection();
    for (int i : browser_.selectedFiles())
        fileList_->selectionModel()->select(files_.index(i), QItemSelectionModel::Select);
}

std::vector<int> PathDialog::selectedFileRows() const {
    std::vector<int> rows;
    for (const QModelIndex& i : fileList_->selectionModel()->selectedRows())
        rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

}  // namespace velmorin::gui
