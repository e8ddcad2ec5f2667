// The progress window of long operations: a small modeless window centred over the main
// window whose bar the operation draws; closing it asks the operation to stop.
#pragma once

#include <QDialog>

#include "state/app_state.h"
#include "ui/progress_bar.h"

namespace velmorin::gui {

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    ProgressDialog(QWidget* parent, ShellState& shell, const QString& caption);
    void setBar(const ProgressBar& bar, int splitX);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    ShellState& shell_;
    ProgressBar bar_;
    int splitX_ = -1;
};

}  // namespace velmorin::gui
