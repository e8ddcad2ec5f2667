#include "progress_dialog.h"

#include <QCloseEvent>
#include <QPainter>

#include "app/window_geometry.h"
#include "dialog_template.h"

namespace velmorin::gui {

ProgressDialog::ProgressDialog(QWidget* parent, ShellState& shell, const QString& caption)
    : QDialog(parent), shell_(shell) {
    setObjectName("ProgressDialog");
    setWindowTitle(caption);
    setModal(false);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(240, 60);  // the template's 120 × 30 dialog units
    if (parent) {
        const QRect p = parent->frameGeometry();
        const Point at = centredOver(Rect{p.left(), p.top(), p.right() + 1, p.bottom() + 1},
                                     frameGeometry().width(), frameGeometry().height());
        move(at.x, at.y);
    }
}

void ProgressDialog::setBar(const ProgressBar& bar, int splitX) {
    if (splitX == splitX_) return;  // repaint only when the bar grows by a pixel
    bar_ = bar;
    splitX_ = splitX;
    update();
}

void ProgressDialog::paintEvent(QPaintEvent*) {
    if (splitX_ < 0) return;
    QPainter painter(this);
    // Right and bottom are exclusive: a black frame, blue for the work done, white beyond.
    painter.setPen(Qt::black);
    painter.drawRect(bar_.left, bar_.top, bar_.right - bar_.left - 1, bar_.bottom - bar_.top - 1);
    painter.fillRect(
        QRect(QPoint(bar_.left + 1, bar_.top + 1), QPoint(splitX_ - 1, bar_.bottom - 2)),
        QColor(0, 0, 255));
    painter.fillRect(QRect(QPoint(splitX_, bar_.top + 1), QPoint(bar_.right - 2, bar_.bottom - 2)),
                     Qt::white);
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    shell_.cancelRequested = true;
    event->ignore();  // the operation closes the window when it stops
}

void ProgressDialog::reject() {
    shell_.cancelRequested = true;
}

}  // namespace velmorin::gui
