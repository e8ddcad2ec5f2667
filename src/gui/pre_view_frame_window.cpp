#include "pre_view_frame_window.h"

#include <QImage>
#include <QPainter>

#include "program_icon.h"

namespace velmorin::gui {

using preview::PreviewImage;

PreViewFrameWindow::PreViewFrameWindow(QWidget* owner, preview::PreviewDecoder& decoder,
                                       ShellState& shell)
    : QWidget(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint),
      decoder_(decoder),
      ui_(this, shell) {
    setObjectName("PreViewFrameWindow");
    setWindowTitle("プレビュー");
    setWindowIcon(programIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);  // the GOP list keeps the keyboard
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(PreviewImage::kWidth, PreviewImage::kHeight);
    request_.decoded = true;
}

void PreViewFrameWindow::setRequest(const preview::PreviewRequest& request) {
    request_ = request;
    request_.decoded = false;
    update();
}

void PreViewFrameWindow::paintEvent(QPaintEvent*) {
    if (!request_.decoded) {
        // Marked decoded whatever the outcome, so a failure is not repeated by repaints.
        request_.decoded = true;
        decoder_.decode(request_, ui_);
    }
    // The image is stored bottom row first, blue-green-red: a mirrored BGR888 picture.
    const PreviewImage& image = decoder_.image();
    const QImage bottomUp(image.pixels.data(), PreviewImage::kWidth, PreviewImage::kHeight,
                          PreviewImage::kRowBytes, QImage::Format_BGR888);
    QPainter(this).drawImage(0, 0, bottomUp.mirrored(false, true));
}

}  // namespace velmorin::gui
