#include "title_inf_dialog.h"

#include <QListView>
#include <QPushButton>
#include <QStringListModel>

#include "dialog_template.h"

namespace velmorin::gui {

TitleInfDialog::TitleInfDialog(QWidget* parent, const std::vector<std::string>& lines)
    : QDialog(parent) {
    setObjectName("TitleInfDialog");
    setWindowTitle(titleInfDialogTemplate().caption);
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutDialog(this, titleInfDialogTemplate()));

    QStringList texts;
    for (const std::string& line : lines) texts << QString::fromStdString(line);
    auto* list = control<QListView>(this, ids::title_info::kTitleList);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    list->setModel(new QStringListModel(texts, this));
    connect(control<QPushButton>(this, ids::title_info::kBack), &QPushButton::clicked, this,
            &QDialog::accept);
}

}  // namespace velmorin::gui
