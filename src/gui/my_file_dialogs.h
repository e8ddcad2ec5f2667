// The project commands' file dialogs: thin wrappers of Qt's file dialog with the project
// filter, the starting folder and file name, and (for saving) the overwrite question.
#pragma once

#include <QFileDialog>
#include <optional>
#include <string>

namespace velmorin::gui {

class MyFileOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    MyFileOpenDialog(QWidget* parent, const std::string& folder, const std::string& fileName);
};

class MyFileSaveDialog : public QFileDialog {
    Q_OBJECT
public:
    MyFileSaveDialog(QWidget* parent, const std::string& folder, const std::string& fileName);
};

// Runs the dialog; the chosen full path, or nothing when it was cancelled.
std::optional<std::string> chosenPath(QFileDialog& dialog);

}  // namespace velmorin::gui
