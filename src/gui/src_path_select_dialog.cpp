#include "src_path_select_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_template.h"
#include "dvd/source_selection.h"
#include "dvd/title_table.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// Template "パスの選択", 290 × 230 dialog units.
const std::vector<ControlTemplate> kTemplate = {
    {-1, K::Label, 6, 6, 40, 10, "ﾊﾟｽ名:"},
    {101, K::FramedLabel, 6, 17, 278, 12, ""},
    {-1, K::Label, 6, 34, 80, 10, "ﾄﾞﾗｲﾌﾞ(&D):"},
    {103, K::List, 6, 45, 100, 40, ""},
    {-1, K::Label, 6, 90, 80, 10, "ﾌｫﾙﾀﾞ(&P):"},
    {102, K::List, 6, 101, 100, 100, ""},
    {105, K::Button, 6, 205, 30, 14, "&\\:"},
    {-1, K::Label, 112, 34, 80, 10, "ﾌｧｲﾙ(&F):"},
    {104, K::List, 112, 45, 88, 156, ""},
    {106, K::CheckBox, 206, 45, 82, 12, "VTSI情報でﾘｰﾄﾞ"},
    {-1, K::Label, 206, 62, 82, 10, "ﾁｬﾌﾟﾀｰ検出方法："},
    {107, K::Radio, 212, 74, 76, 12, "ｾｸﾀ情報一致"},
    {108, K::Radio, 212, 88, 76, 12, "ｾﾙ数をｶｳﾝﾄ"},
    {110, K::CheckBox, 206, 108, 82, 12, "高速読み込み"},
    {109, K::Button, 206, 128, 78, 14, "ﾀｲﾄﾙ情報表示"},
    {1, K::DefaultButton, 206, 185, 78, 14, "選択(&S)"},
    {2, K::Button, 206, 205, 78, 14, "ｷｬﾝｾﾙ(&C)"},
};

QStringList toQt(const std::vector<std::string>& texts) {
    QStringList out;
    for (const auto& t : texts) out << QString::fromStdString(t);
    return out;
}

}  // namespace

SrcPathSelectDialog::SrcPathSelectDialog(QWidget* parent, AppState& state, const ShellState& shell,
                                         const QString& caption, const std::string& startFolder)
    : QDialog(parent),
      state_(state),
      shellCopy_(shell),
      ui_(this, shellCopy_),
      browser_(systemPlatform(), PathBrowser::Kind::Source, shell.programFolder) {
    setObjectName("SrcPathSelectDialog");
    setWindowTitle(caption);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutControls(this, kTemplate, 290, 230));
    driveList_ = findChild<QListView*>("ctl103");
    folderList_ = findChild<QListView*>("ctl102");
    fileList_ = findChild<QListView*>("ctl104");
    driveList_->setModel(&drives_);
    folderList_->setModel(&folders_);
    fileList_->setModel(&files_);
    for (auto* list : {driveList_, folderList_, fileList_}) list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fileList_->setSelectionMode(QAbstractItemView::ExtendedSelection);

    auto* vtsi = findChild<QCheckBox*>("ctl106");
    auto* bySector = findChild<QRadioButton*>("ctl107");
    auto* byCells = findChild<QRadioButton*>("ctl108");
    auto* fast = findChild<QCheckBox*>("ctl110");
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
        state_.sourceOptions.chapterMethod = on ? ChapterMethod::SectorMatch : ChapterMethod::CountCells;
    });
    connect(fast, &QCheckBox::toggled, this, [this](bool on) { state_.sourceOptions.fastRead = on; });
    connect(findChild<QPushButton*>("ctl105"), &QPushButton::clicked, this, [this] {
        browser_.goToVolumeRoot();
        showBrowser();
    });
    connect(findChild<QPushButton*>("ctl109"), &QPushButton::clicked, this, [this] { showTitleInformation(); });
    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, [this] { select(); });
    connect(findChild<QPushButton*>("ctl2"), &QPushButton::clicked, this, &QDialog::reject);
    connect(folderList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        browser_.chooseFolder(index.row());
        showBrowser();
    });
    connect(driveList_, &QListView::clicked, this, [this](const QModelIndex& index) {
        browser_.chooseVolume(index.row());
        showBrowser();
    });

    browser_.refresh(startFolder);
    showBrowser();
}

void SrcPathSelectDialog::showBrowser() {
    findChild<QLabel*>("ctl101")->setText(QString::fromStdString(browser_.folder()));
    std::vector<std::string> labels;
    for (const auto& v : browser_.volumes()) labels.push_back(v.label);
    drives_.setStringList(toQt(labels));
    folders_.setStringList(toQt(browser_.folders()));
    files_.setStringList(toQt(browser_.files()));
    if (!labels.empty()) driveList_->setCurrentIndex(drives_.index(browser_.selectedVolume()));
    fileList_->clearSelection();
    for (int i : browser_.selectedFiles()) fileList_->selectionModel()->select(files_.index(i), QItemSelectionModel::Select);
}

void SrcPathSelectDialog::select() {
    std::vector<int> rows;
    for (const QModelIndex& i : fileList_->selectionModel()->selectedRows()) rows.push_back(i.row());
    std::sort(rows.begin(), rows.end());
    browser_.setSelectedFiles(rows);
    if (selectSource(browser_, state_.sourceOptions, state_.chapterInfo, state_.inputFiles, ui_, systemPlatform()))
        accept();
}

void SrcPathSelectDialog::showTitleInformation() {
    const auto lines = readTitleInformation(browser_.folder(), ui_, systemPlatform());
    if (!lines) return;
    QDialog dialog(this);
    dialog.setObjectName("TitleInfDialog");
    dialog.setWindowTitle("ﾀｲﾄﾙ情報表示");
    dialog.setFont(dialogFont());
    paintLightGrey(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    auto* list = new QListView(&dialog);
    list->setObjectName("ctl101");
    auto* model = new QStringListModel(toQt(*lines), &dialog);
    list->setModel(model);
    auto* back = new QPushButton("戻る(&R)", &dialog);
    back->setObjectName("ctl1");
    back->setDefault(true);
    connect(back, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(list);
    layout->addWidget(back);
    dialog.resize(600, 320);
    dialog.exec();
}

}  // namespace velmorin::gui
