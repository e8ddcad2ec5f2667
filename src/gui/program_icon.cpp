#include "program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velmorin::gui {

namespace {

QPixmap drawIcon(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 64.0, size / 64.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(24, 40, 96));
    p.drawRoundedRect(QRectF(2, 2, 60, 60), 12, 12);

    // Loudspeaker.
    QPainterPath speaker;
    speaker.moveTo(12, 25);
    speaker.lineTo(21, 25);
    speaker.lineTo(33, 14);
    speaker.lineTo(33, 50);
    speaker.lineTo(21, 39);
    speaker.lineTo(12, 39);
    speaker.closeSubpath();
    p.setBrush(QColor(90, 200, 210));
    p.drawPath(speaker);

    // The amber cross of a silenced output.
    QPen cross(QColor(240, 170, 60), 5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(40, 24), QPointF(54, 40));
    p.drawLine(QPointF(54, 24), QPointF(40, 40));
    return pixmap;
}

}  // namespace

QIcon programIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48, 64, 128}) i.addPixmap(drawIcon(size));
        return i;
    }();
    return icon;
}

}  // namespace velmorin::gui
