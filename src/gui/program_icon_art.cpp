#include "program_icon_art.h"

#include <QPainter>
#include <QPainterPath>

namespace velmorin::gui {

// The scalable icon installed beside the drawn sizes (share/icons/hicolor/scalable) draws
// the same shapes on the same 64 × 64 grid; change both together.
QImage drawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
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
    return image;
}

}  // namespace velmorin::gui
