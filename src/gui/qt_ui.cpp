#include "qt_ui.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>

namespace velmorin::gui {

namespace {

// While a message box is up in the middle of a long operation, the pointer is the normal
// arrow over it; the wait cursor comes back when the box is answered.
class ArrowWhileAsking {
public:
    ArrowWhileAsking() {
        const QCursor* cursor = QApplication::overrideCursor();
        pushed_ = cursor && cursor->shape() == Qt::WaitCursor;
        if (pushed_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileAsking() {
        if (pushed_) QApplication::restoreOverrideCursor();
    }
    ArrowWhileAsking(const ArrowWhileAsking&) = delete;
    ArrowWhileAsking& operator=(const ArrowWhileAsking&) = delete;

private:
    bool pushed_;
};

}  // namespace

void QtUi::error(const std::string& text) {
    ArrowWhileAsking arrow;
    QMessageBox::warning(owner_, "エラー", QString::fromStdString(text), QMessageBox::Ok);
}

void QtUi::info(const std::string& text) {
    ArrowWhileAsking arrow;
    QMessageBox::information(owner_, "情報", QString::fromStdString(text), QMessageBox::Ok);
}

bool QtUi::confirm(const std::string& text) {
    ArrowWhileAsking arrow;
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
    if (progress_) {
        // Off the screen now, not when the event loop next runs the deferred delete: the
        // scan's closing message boxes come before that.
        progress_->hide();
        progress_->deleteLater();
    }
    progress_ = nullptr;
}

void QtUi::setWaitCursor(bool on) {
    if (on && !waitCursor_) QApplication::setOverrideCursor(Qt::WaitCursor);
    if (!on && waitCursor_) QApplication::restoreOverrideCursor();
    waitCursor_ = on;
}

}  // namespace velmorin::gui
