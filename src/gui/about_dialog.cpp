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
    control<QLabel>(this, ids::about::kProgramName)->setText(kMainCaption);
    connect(control<QPushButton>(this, ids::kOk), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace velmorin::gui
