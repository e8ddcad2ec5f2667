// "パスの選択" for one file of a wildcard pattern (the player program): the path browser
// with a single selection.
#pragma once

#include <optional>
#include <string>

#include "path_dialog.h"

namespace velmorin::gui {

class ViewerSelectDialog : public PathDialog {
    Q_OBJECT
public:
    // Starts in the folder of `currentPath`.
    ViewerSelectDialog(QWidget* parent, const QString& caption, const std::string& pattern,
                       const std::string& currentPath, const std::string& programFolder);
    // The chosen file (or the folder alone when nothing is selected), after OK.
    const std::string& result() const { return result_; }

private:
    std::string result_;
};

}  // namespace velmorin::gui
