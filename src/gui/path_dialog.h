// What the two path selection dialogs share: the path display, the drive, folder and
// file lists over the path browser, and navigation among them.
#pragma once

#include <QDialog>
#include <QListView>
#include <QStringListModel>
#include <string>
#include <vector>

#include "app/path_browser.h"
#include "dialog_template.h"

namespace velmorin::gui {

class PathDialog : public QDialog {
    Q_OBJECT
protected:
    PathDialog(QWidget* parent, PathBrowser::Kind kind, const std::string& programFolder,
               const std::string& pattern);

    // Lays out the template (it holds the ids::path_dialog controls) and wires the browsing.
    void setUpControls(const DialogTemplate& dialog);
    void showBrowser();
    // The file list's selected rows, in list order.
    std::vector<int> selectedFileRows() const;

    PathBrowser browser_;
    QListView* fileList_ = nullptr;

private:
    QStringListModel drives_, folders_, files_;
    QListView* driveList_ = nullptr;
    QListView* folderList_ = nullptr;
};

}  // namespace velmorin::gui
