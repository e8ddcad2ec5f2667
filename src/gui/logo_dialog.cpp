#include "logo_dialog.h"

#include <QApplication>
#include <QPainter>
#include <QTimer>

#include "app/logo_bitmap.h"
#include "dialog_template.h"

namespace velmorin::gui {

namespace {

QImage pictureOf(const LogoBitmap& bitmap) {
    QImage image(LogoBitmap::kWidth, LogoBitmap::kHeight, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (std::uint32_t rgb : bitmap.colours)
        table.append(qRgb(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF));
    image.setColorTable(table);
    // The bitmap's rows run bottom to top.
    for (int y = 0; y < LogoBitmap::kHeight; ++y)
        std::copy_n(
            bitmap.pixels.data() + std::size_t(LogoBitmap::kHeight - 1 - y) * LogoBitmap::kWidth,
            LogoBitmap::kWidth, image.scanLine(y));
    return image;
}

}  // namespace

LogoDialog::LogoDialog(QWidget* parent, const std::string& bitmapPath)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      picture_(pictureOf(loadLogoBitmap(bitmapPath))) {
    setObjectName("LogoDialog");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(LogoBitmap::kWidth, LogoBitmap::kHeight);
    QTimer::singleShot(kShowMs, this, &QDialog::accept);
}

void LogoDialog::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(0, 0, picture_);
}

void showStartupPicture(QWidget* mainWindow, const std::string& bitmapPath) {
    LogoDialog logo(mainWindow, bitmapPath);
    // Template position 90, 60 dialog units from the main window's top-left corner; the
    // template names no font, so the units are the system font's.
    logo.move(mainWindow->pos() + dialogUnitRect(QApplication::font(), 90, 60, 0, 0).topLeft());
    logo.exec();
}

}  // namespace velmorin::gui
