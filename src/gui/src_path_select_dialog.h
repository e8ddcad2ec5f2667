// "パスの選択" for the input files: the path browser with the source options and the
// title information list.
#pragma once

#include "path_dialog.h"
#include "qt_ui.h"
#include "state/app_state.h"

namespace velmorin::gui {

class SrcPathSelectDialog : public PathDialog {
    Q_OBJECT
public:
    SrcPathSelectDialog(QWidget* parent, AppState& state, const ShellState& shell,
                        const QString& caption, const std::string& startFolder);
    const std::string& folder() const { return browser_.folder(); }

private:
    void select();
    void showTitleInformation();

    AppState& state_;
    ShellState shellCopy_;
    QtUi ui_;
};

}  // namespace velmorin::gui
