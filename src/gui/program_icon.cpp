#include "program_icon.h"

#include <QPixmap>

#include "program_icon_art.h"

namespace velmorin::gui {

QIcon programIcon() {
    static const QIcon icon = [] {
        QIcon i;
        for (int size : {16, 24, 32, 48, 64, 128})
            i.addPixmap(QPixmap::fromImage(drawProgramIcon(size)));
        return i;
    }();
    return icon;
}

}  // namespace velmorin::gui
