#include "viewer_select_dialog.h"

#include <QPushButton>
#include <filesystem>

#include "platform/binary_file.h"

namespace velmorin::gui {

ViewerSelectDialog::ViewerSelectDialog(QWidget* parent, const QString& caption,
                                       const std::string& pattern, const std::string& currentPath,
                                       const std::string& programFolder)
    : PathDialog(parent, PathBrowser::Kind::Viewer, programFolder, pattern) {
    setObjectName("ViewerSelectDialog");
    setWindowTitle(caption);
    setUpControls(viewerPathDialogTemplate());
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(control<QPushButton>(this, ids::path_dialog::kSelect), &QPushButton::clicked, this,
            [this] {
                browser_.setSelectedFiles(selectedFileRows());
                result_ = browser_.selectedPath();
                accept();
            });
    browser_.refresh(nativePath(currentPath).parent_path().string());
    showBrowser();
}

}  // namespace velmorin::gui
