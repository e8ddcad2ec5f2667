// "パスの選択": the program's own source selection dialog over the path browser, with the
// source options and the title information list.
#pragma once

#include <QDialog>
#include <QListView>
#include <QStringListModel>

#include "app/app_state.h"
#include "dvd/path_browser.h"
#include "qt_ui.h"

namespace velmorin::gui {

class SrcPathSelectDialog : public QDialog {
    Q_OBJECT
public:
    SrcPathSelectDialog(QWidget* parent, AppState& state, const ShellState& shell, const QString& caption,
                        const std::string& startFolder);
    const std::string& folder() const { return browser_.folder(); }

private:
    void showBrowser();
    void select();
    void showTitleInformation();

    AppState& state_;
    ShellState shellCopy_;
    QtUi ui_;
    PathBrowser browser_;
    QStringListModel drives_, folders_, files_;
    QListView* driveList_ = nullptr;
    QListView* folderList_ = nullptr;
    QListView* fileList_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace velmorin::gui
