#include "setting_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "app/path_browser.h"
#include "app/settings_dialog_rules.h"
#include "dialog_template.h"
#include "viewer_select_dialog.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// clang-format off
// Dialog template 5, 250 × 110 dialog units.
const std::vector<ControlTemplate> kTemplate = {
    {-1, K::Frame, 2, 2, 246, 70, ""},
    {-1, K::Label, 8, 5, 100, 10, "《VOB再生ﾌﾟﾛｸﾞﾗﾑ》"},
    {101, K::Edit, 10, 17, 230, 12, ""},
    {102, K::Button, 190, 35, 50, 14, "参照(&R)..."},
    {-1, K::Label, 20, 37, 45, 10, "再生時間："},
    {103, K::Combo, 70, 35, 30, 12, ""},
    {-1, K::Label, 105, 37, 20, 10, "秒"},
    {104, K::CheckBox, 20, 53, 220, 12, "作業用ﾌｧｲﾙの拡張子を*.MPGにする(WMP9対応)"},
    {105, K::CheckBox, 10, 80, 130, 10, "ﾌﾟﾚﾋﾞｭｰｳｨﾝﾄﾞｳを有効にする"},
    {1, K::DefaultButton, 130, 90, 50, 14, "設定(&S)"},
    {2, K::Button, 190, 90, 50, 14, "ｷｬﾝｾﾙ(&C)"},
};
// clang-format on

}  // namespace

SettingDialog::SettingDialog(QWidget* parent, Settings& settings, ShellState& shell)
    : QDialog(parent),
      settings_(settings),
      shell_(shell),
      ui_(this, shell),
      candidate_(settings.playerPath) {
    setObjectName("SettingDialog");
    setWindowTitle(kSettingsCaption);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutControls(this, kTemplate, 250, 110));

    findChild<QLineEdit*>("ctl101")->setText(QString::fromStdString(settings_.playerPath));
    auto* times = findChild<QComboBox*>("ctl103");
    for (const char* text : kPlayTimeTexts) times->addItem(text);
    times->setCurrentIndex(settings_.playTimeIndex);
    findChild<QCheckBox*>("ctl104")->setChecked(settings_.mpgWorkingFiles);
    findChild<QCheckBox*>("ctl105")->setChecked(settings_.previewEnabled);

    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, [this] { ok(); });
    connect(findChild<QPushButton*>("ctl2"), &QPushButton::clicked, this, &QDialog::reject);
    connect(findChild<QPushButton*>("ctl102"), &QPushButton::clicked, this, [this] { browse(); });
}

void SettingDialog::ok() {
    candidate_ = findChild<QLineEdit*>("ctl101")->text().toStdString();
    if (!acceptPlayerPath(candidate_, ui_)) return;
    settings_.playerPath = candidate_;
    settings_.playTimeIndex = findChild<QComboBox*>("ctl103")->currentIndex();
    settings_.mpgWorkingFiles = findChild<QCheckBox*>("ctl104")->isChecked();
    settings_.previewEnabled = findChild<QCheckBox*>("ctl105")->isChecked();
    accept();
}

void SettingDialog::browse() {
    ViewerSelectDialog dialog(this, kPlayerDialogCaption, PathBrowser::kProgramsPattern, candidate_,
                              shell_.programFolder);
    if (dialog.exec() != QDialog::Accepted) return;
    candidate_ = dialog.result();
    findChild<QLineEdit*>("ctl101")->setText(QString::fromStdString(candidate_));
}

}  // namespace velmorin::gui
