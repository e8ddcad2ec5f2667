// "オプション設定": the player program, the play time, the working files' extension and
// the preview option. Settings change only when the dialog ends with its OK button.
#pragma once

#include <QDialog>

#include "qt_ui.h"
#include "state/settings.h"

namespace velmorin::gui {

class SettingDialog : public QDialog {
    Q_OBJECT
public:
    SettingDialog(QWidget* parent, Settings& settings, ShellState& shell);

private:
    void ok();
    void browse();

    Settings& settings_;
    ShellState& shell_;
    QtUi ui_;
    std::string candidate_;  // the player path the browse button starts from
};

}  // namespace velmorin::gui
