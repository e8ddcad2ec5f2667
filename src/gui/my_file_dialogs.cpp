#include "my_file_dialogs.h"

#include <QDir>

#include "project/project_commands.h"

namespace velmorin::gui {

namespace {

// Qt's notation of the filter is its text before the bar: "ﾌﾟﾛｼﾞｪｸﾄ(*.prj)".
const QString kFilter = QString::fromUtf8(kProjectFilter).section('|', 0, 0);

void prepare(QFileDialog& dialog, const std::string& folder, const std::string& fileName) {
    dialog.setNameFilter(kFilter);
    dialog.selectNameFilter(kFilter);
    dialog.setDefaultSuffix(QString());
    // Qt's own dialog on every platform: the same look everywhere, and testable offscreen.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(QString::fromStdString(folder));
    dialog.selectFile(QString::fromStdString(fileName));
}

}  // namespace

MyFileOpenDialog::MyFileOpenDialog(QWidget* parent, const std::string& folder,
                                   const std::string& fileName)
    : QFileDialog(parent) {
    setObjectName("MyFileOpenDialog");
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    prepare(*this, folder, fileName);
}

MyFileSaveDialog::MyFileSaveDialog(QWidget* parent, const std::string& folder,
                                   const std::string& fileName)
    : QFileDialog(parent) {
    setObjectName("MyFileSaveDialog");
    setAcceptMode(QFileDialog::AcceptSave);
    // Any name in an existing folder; Qt asks before an existing file is replaced.
    setFileMode(QFileDialog::AnyFile);
    prepare(*this, folder, fileName);
}

std::optional<std::string> chosenPath(QFileDialog& dialog) {
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().first()).toStdString();
}

}  // namespace velmorin::gui
