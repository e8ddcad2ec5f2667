// The start-up picture: LOGO.BMP, shown for two seconds before the main window.
#pragma once

#include <QDialog>
#include <QImage>
#include <string>

namespace velmorin::gui {

class LogoDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;

    // `bitmapPath` is LOGO.BMP; a missing or unusable file shows blank.
    LogoDialog(QWidget* parent, const std::string& bitmapPath);
    const QImage& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// Shows the start-up picture modally over the not yet visible main window.
void showStartupPicture(QWidget* mainWindow, const std::string& bitmapPath);

}  // namespace velmorin::gui
