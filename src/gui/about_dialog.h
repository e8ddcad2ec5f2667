// "バージョン情報": the program's icon and name, laid out from its dialog template.
#pragma once

#include <QDialog>

namespace velmorin::gui {

class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent);
};

}  // namespace velmorin::gui
