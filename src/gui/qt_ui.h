// The Ui seam over Qt: message boxes owned by a window, the event loop, the progress
// window and the wait cursor.
#pragma once

#include <QPointer>
#include <QWidget>

#include "progress_dialog.h"
#include "state/app_state.h"
#include "ui/ui.h"

namespace velmorin::gui {

class QtUi : public Ui {
public:
    QtUi(QWidget* owner, ShellState& shell) : owner_(owner), shell_(shell) {}

    void error(const std::string& text) override;
    void info(const std::string& text) override;
    bool confirm(const std::string& text) override;
    void pumpMessages() override;
    ClientSize openProgress(const std::string& caption) override;
    void drawProgress(const ProgressBar& bar, int splitX) override;
    void closeProgress() override;
    void setWaitCursor(bool on) override;

private:
    QWidget* owner_;
    ShellState& shell_;
    QPointer<ProgressDialog> progress_;
    bool waitCursor_ = false;
};

}  // namespace velmorin::gui
