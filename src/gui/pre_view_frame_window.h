// The preview window: the first picture of the GOP at the list's caret, 360 × 240, decoded
// when the window paints and its picture is out of date.
#pragma once

#include <QWidget>

#include "preview/preview_decoder.h"
#include "qt_ui.h"

namespace velmorin::gui {

class PreViewFrameWindow : public QWidget {
    Q_OBJECT
public:
    // `decoder` keeps its state (and the picture) from one decode to the next.
    PreViewFrameWindow(QWidget* owner, preview::PreviewDecoder& decoder, ShellState& shell);

    // A new GOP to show: decoded at the next paint (two quick requests decode once).
    void setRequest(const preview::PreviewRequest& request);
    const preview::PreviewRequest& request() const { return request_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    preview::PreviewDecoder& decoder_;
    QtUi ui_;
    preview::PreviewRequest request_;
};

}  // namespace velmorin::gui
