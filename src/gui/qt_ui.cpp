#include "qt_ui.h"

#include <QApplication>
#include <QMessageBox>

namespace velmorin::gui {

void QtUi::error(const std::string& text) {
    QMessageBox::warning(owner_, "エラー", QString::fromStdString(text), QMessageBox::Ok);
}

void QtUi::info(const std::string& text) {
    QMessageBox::information(owner_, "情報", QString::fromStdString(text), QMessageBox::Ok);
}

bool QtUi::confirm(const std::string& text) {
    return QMessageBox::question(owner_, "確認", QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtUi::pumpMessages() {
    QApplication::processEvents();
}

ClientSize QtUi::openProgress(const std::string& caption) {
    closeProgress();
    progress_ = new ProgressDialog(owner_, shell_, QString::fromStdString(caption));
    progress_->show();
    return ClientSize{progress_->width(), progress_->height()};
}

void QtUi::drawProgress(const ProgressBar& bar, int splitX) {
    if (progress_) progress_->setBar(bar, splitX);
}

void QtUi::closeProgress() {
    if (progress_) progress_->deleteLater();
    progress_ = nullptr;
}

void QtUi::setWaitCursor(bool on) {
    if (on && !waitCursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!on && waitCursor_) QApplication::restoreOverrideCursor();
    waitCursor_ = on;
}

}  // namespace velmorin::gui
