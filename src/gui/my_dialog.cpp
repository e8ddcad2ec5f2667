#include "my_dialog.h"

#include <QAbstractButton>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>

#include "dialog_template.h"

namespace velmorin::gui {

namespace {

using K = ControlTemplate::Kind;

// clang-format off
// Dialog template 1, 370 × 250 dialog units, in template order.
const std::vector<ControlTemplate> kTemplate = {
    {-1, K::Frame, 2, 2, 150, 246, ""},
    {-1, K::Frame, 155, 2, 213, 215, ""},
    {2, K::DefaultButton, 300, 225, 60, 16, "終了(&X)"},
    {-1, K::Label, 3, 5, 65, 10, "《入力ﾃﾞｰﾀ表示》"},
    {101, K::Button, 8, 18, 55, 14, "入力ﾌｧｲﾙ..."},
    {134, K::Button, 88, 6, 30, 12, "A-B間"},
    {125, K::Button, 118, 6, 25, 12, "≫"},
    {102, K::Button, 88, 18, 55, 14, "ｶｰｿﾙ位置再生"},
    {123, K::Button, 110, 36, 15, 12, "∧"},
    {124, K::Button, 125, 36, 15, 12, "∨"},
    {114, K::List, 10, 52, 130, 180, ""},
    {203, K::Label, 10, 235, 60, 10, "ｻｲｽﾞ:"},
    {119, K::Button, 110, 232, 15, 12, "↑"},
    {120, K::Button, 125, 232, 15, 12, "↓"},
    {-1, K::Label, 160, 5, 60, 10, "《音声編集》"},
    {-1, K::Label, 175, 21, 180, 10, "※ 1/4GOP単位で無音状態を設定できます。"},
    {-1, K::Label, 175, 35, 180, 10, "※ 編集内容は、即座にﾌｧｲﾙに反映されます。"},
    {-1, K::Label, 163, 55, 80, 10, "<先頭部分無音化>"},
    {103, K::Button, 170, 70, 35, 14, "-***"},
    {104, K::Button, 205, 70, 35, 14, "--**"},
    {105, K::Button, 240, 70, 35, 14, "---*"},
    {106, K::Button, 275, 70, 35, 14, "----"},
    {-1, K::Label, 163, 95, 80, 10, "<無音状態なし>"},
    {108, K::Button, 170, 110, 35, 14, "****"},
    {-1, K::Label, 163, 135, 80, 10, "<末尾部分無音化>"},
    {109, K::Button, 170, 150, 35, 14, "***-"},
    {110, K::Button, 205, 150, 35, 14, "**--"},
    {111, K::Button, 240, 150, 35, 14, "*---"},
    {112, K::Button, 275, 150, 35, 14, "----"},
    {-1, K::Label, 175, 175, 60, 10, "*：音声あり"},
    {-1, K::Label, 175, 185, 60, 10, "-：音声なし"},
    {107, K::Button, 160, 225, 60, 16, "ｵﾌﾟｼｮﾝ設定..."},
    {121, K::Button, 230, 225, 60, 16, "ﾍﾙﾌﾟ(&H)"},
};
// clang-format on

}  // namespace

MyDialog::MyDialog(QWidget* parent) : QWidget(parent) {
    setObjectName("MyDialog");
    setFont(dialogFont());
    paintLightGrey(this);
    setFixedSize(layoutControls(this, kTemplate, 370, 250));
    for (auto* button : findChildren<QAbstractButton*>()) {
        const int id = button->objectName().mid(3).toInt();
        connect(button, &QAbstractButton::clicked, this, [this, id] { emit command(id); });
    }
    auto* list = findChild<QListView*>("ctl114");
    auto* label = findChild<QLabel*>("ctl203");
    gopList_ = std::make_unique<GopListWidget>(list, label);
    // The list's text background is light grey too.
    setStyleSheet("QListView#ctl114 { background-color: rgb(192, 192, 192); color: black; }");
    connect(list, &QListView::doubleClicked, this, [this] { emit command(114); });
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (!gopList_->changingByProgram()) emit userSelectionChanged();
    });
    gopList_->setSizeLabel("ｻｲｽﾞ: 0.000 GB");
}

}  // namespace velmorin::gui
