// The main window's client: the GOP list with its buttons on the left, the nine pattern
// buttons on the right, exit, settings and help below. Every button reports its id.
#pragma once

#include <QWidget>
#include <memory>

#include "gop_list_widget.h"

namespace velmorin::gui {

class MyDialog : public QWidget {
    Q_OBJECT
public:
    explicit MyDialog(QWidget* parent);
    GopListWidget& gopList() { return *gopList_; }

signals:
    void command(int id);
    // A selection change made by the user (not by the program).
    void userSelectionChanged();

private:
    std::unique_ptr<GopListWidget> gopList_;
};

}  // namespace velmorin::gui
