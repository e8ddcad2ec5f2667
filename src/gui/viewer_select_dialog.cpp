#include "viewer_select_dialog.h"

#include <QPushButton>
#include <filesystem>

#include "platform/binary_file.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// Template "パスの選択", 290 × 210 dialog units: the browsing controls only.
const std::vector<ControlTemplate> kTemplate = {
    {-1, K::Label, 6, 6, 40, 10, "ﾊﾟｽ名:"},
    {101, K::FramedLabel, 6, 17, 278, 12, ""},
    {-1, K::Label, 6, 34, 80, 10, "ﾄﾞﾗｲﾌﾞ(&D):"},
    {103, K::List, 6, 45, 100, 40, ""},
    {-1, K::Label, 6, 90, 80, 10, "ﾌｫﾙﾀﾞ(&P):"},
    {102, K::List, 6, 101, 100, 84, ""},
    {105, K::Button, 6, 189, 30, 14, "&\\:"},
    {-1, K::Label, 112, 34, 80, 10, "ﾌｧｲﾙ(&F):"},
    {104, K::List, 112, 45, 100, 140, ""},
    {1, K::DefaultButton, 218, 169, 66, 14, "選択(&S)"},
    {2, K::Button, 218, 189, 66, 14, "ｷｬﾝｾﾙ(&C)"},
};

}  // namespace

ViewerSelectDialog::ViewerSelectDialog(QWidget* parent, const QString& caption, const std::string& pattern,
                                       const std::string& currentPath, const std::string& programFolder)
    : PathDialog(parent, PathBrowser::Kind::Viewer, programFolder, pattern) {
    setObjectName("ViewerSelectDialog");
    setWindowTitle(caption);
    setUpControls(kTemplate, 290, 210);
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
