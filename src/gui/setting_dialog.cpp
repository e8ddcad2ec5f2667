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

    control<QLineEdit>(this, ids::settings::kPlayerPath)
        ->setText(QString::fromStdString(settings_.playerPath));
    auto* times = control<QComboBox>(this, ids::settings::kPlayTime);
    for (const char* text : kPlayTimeTexts) times->addItem(text);
    times->setCurrentIndex(settings_.playTimeIndex);
    control<QCheckBox>(this, ids::settings::kMpgWorkingFiles)
        ->setChecked(settings_.mpgWorkingFiles);
    control<QCheckBox>(this, ids::settings::kPreviewEnabled)->setChecked(settings_.previewEnabled);

    connect(control<QPushButton>(this, ids::kOk), &QPushButton::clicked, this, [this] { ok(); });
    connect(control<QPushButton>(this, ids::kCancel), &QPushButton::clicked, this,
            &QDialog::reject);
    connect(control<QPushButton>(this, ids::settings::kBrowsePlayer), &QPushButton::clicked, this,
            [this] { browse(); });
}

void SettingDialog::ok() {
    candidate_ = control<QLineEdit>(this, ids::settings::kPlayerPath)->text().toStdString();
    if (!acceptPlayerPath(candidate_, ui_)) return;
    settings_.playerPath = candidate_;
    settings_.playTimeIndex = control<QComboBox>(this, ids::settings::kPlayTime)->currentIndex();
    settings_.mpgWorkingFiles =
        control<QCheckBox>(this, ids::settings::kMpgWorkingFiles)->isChecked();
    settings_.previewEnabled =
        control<QCheckBox>(this, ids::settings::kPreviewEnabled)->isChecked();
    accept();
}

void SettingDialog::browse() {
    ViewerSelectDialog dialog(this, kPlayerDialogCaption, PathBrowser::kProgramsPattern, candidate_,
                              shell_.programFolder);
    if (dialog.exec() != QDialog::Accepted) return;
    candidate_ = dialog.result();
    control<QLineEdit>(this, ids::settings::kPlayerPath)
        ->setText(QString::fromStdString(candidate_));
}

}  // namespace velmorin::gui
