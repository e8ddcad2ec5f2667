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
    setFixedSize(layoutDialog(this, settingDialogTemplate()));

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
