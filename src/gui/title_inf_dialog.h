// "ﾀｲﾄﾙ情報表示": the disc's titles, one line each, in a small modal list.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

namespace velmorin::gui {

class TitleInfDialog : public QDialog {
    Q_OBJECT
public:
    TitleInfDialog(QWidget* parent, const std::vector<std::string>& lines);
};

}  // namespace velmorin::gui
