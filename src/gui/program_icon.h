// The program's icon, drawn rather than shipped: a loudspeaker with a muted stretch.
#pragma once

#include <QIcon>

namespace velmorin::gui {

QIcon programIcon();

}  // namespace velmorin::gui
