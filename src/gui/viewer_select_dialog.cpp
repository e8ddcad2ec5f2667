#include "viewer_select_dialog.h"

#include <QPushButton>
#include <filesystem>

#include "platform/binary_file.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// Template "パスの選択", 290 × 210 dialog units: the browsing controls and the buttons.
std::vector<ControlTemplate> viewerTemplate() {
    auto controls = browsingControls(185);
    controls.push_back({1, K::DefaultButton, 206, 169, 78, 14, "選択(&S)"});
    controls.push_back({2, K::Button, 206, 189, 78, 14, "ｷｬﾝｾﾙ(&C)"});
    return controls;
}

}  // namespace

ViewerSelectDialog::ViewerSelectDialog(QWidget* parent, const QString& caption,
                                       const std::string& pattern, const std::string& currentPath,
                                       const std::string& programFolder)
    : PathDialog(parent, PathBrowser::Kind::Viewer, programFolder, pattern) {
    setObjectName("ViewerSelectDialog");
    setWindowTitle(caption);
    setUpControls(viewerTemplate(), 290, 210);
    fileList_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, [this] {
        browser_.setSelectedFiles(selectedFileRows());
        result_ = browser_.selectedPath();
        accept();
    });
    browser_.refresh(nativePath(currentPath).parent_path().string());
    showBrowser();
}

}  // namespace velmorin::gui
