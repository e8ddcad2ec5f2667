#include "about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "app/main_commands.h"
#include "dialog_template.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// clang-format off
// Dialog template 2, 200 × 75 dialog units.
const std::vector<ControlTemplate> kTemplate = {
    {-1, K::Icon, 5, 9, 16, 16, ""},
    {100, K::Label, 30, 9, 160, 10, ""},
    {1, K::DefaultButton, 155, 25, 40, 14, "OK"},
};
// clang-format on

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("AboutDialog");
    setWindowTitle("バージョン情報");
    setFont(proportionalDialogFont());
    paintLightGrey(this);
    setFixedSize(layoutControls(this, kTemplate, 200, 75));
    findChild<QLabel*>("ctl100")->setText(kMainCaption);
    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace velmorin::gui
