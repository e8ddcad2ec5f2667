#include "about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/main_commands.h"
#include "dialog_template.h"

namespace velmorin::gui {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle(aboutDialogTemplate().caption);
    setFont(proportionalDialogFont());
    paintLightGrey(this);
    setFixedSize(layoutDialog(this, aboutDialogTemplate()));
    findChild<QLabel*>("ctl100")->setText(kMainCaption);
    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace velmorin::gui
