#include "my_dialog.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>

#include "dialog_template.h"

namespace velmorin::gui {

MyDialog::MyDialog(QWidget* parent) : QWidget(parent) {
    setObjectName("MyDialog");
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutDialog(this, mainDialogTemplate()));
    for (auto* button : findChildren<QAbstractButton*>()) {
        const int id = controlId(button);
        connect(button, &QAbstractButton::clicked, this, [this, id] { emit command(id); });
    }
    auto* list = control<QListView>(this, ids::main_window::kGopList);
    auto* label = control<QLabel>(this, ids::main_window::kSizeLabel);
    gopList_ = std::make_unique<GopListWidget>(list, label);
    // The list's text background is light grey too.
    setStyleSheet(QString("QListView#%1 { background-color: rgb(192, 192, 192); color: black; }")
                      .arg(controlName(ids::main_window::kGopList)));
    connect(list, &QListView::doubleClicked, this,
            [this] { emit command(ids::main_window::kGopList); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!gopList_->changingByProgram()) emit userSelectionChanged();
    });
    gopList_->setSizeLabel("ｻｲｽﾞ: 0.000 GB");
}

}  // namespace velmorin::gui
