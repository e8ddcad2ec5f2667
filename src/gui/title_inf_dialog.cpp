#include "title_inf_dialog.h"

#include <QListView>
#include <QPushButton>
#include <QStringListModel>

#include "dialog_template.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// clang-format off
// Template "ﾀｲﾄﾙ情報表示", 300 × 160 dialog units.
const std::vector<ControlTemplate> kTemplate = {
    {101, K::List, 6, 6, 288, 126, ""},
    {1, K::DefaultButton, 244, 140, 50, 14, "戻る(&R)"},
};
// clang-format on

}  // namespace

TitleInfDialog::TitleInfDialog(QWidget* parent, const std::vector<std::string>& lines)
    : QDialog(parent) {
    setObjectName("TitleInfDialog");
    setWindowTitle("ﾀｲﾄﾙ情報表示");
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutControls(this, kTemplate, 300, 160));

    QStringList texts;
    for (const std::string& line : lines) texts << QString::fromStdString(line);
    auto* list = findChild<QListView*>("ctl101");
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setModel(new QStringListModel(texts, this));
    connect(findChild<QPushButton*>("ctl1"), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace velmorin::gui
