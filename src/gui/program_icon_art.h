// The program's icon as a picture of any size: the windows' icon and the installed icon
// files are drawn by the same code.
#pragma once

#include <QImage>

namespace velmorin::gui {

// A loudspeaker with the amber cross of a silenced output on a dark blue rounded square,
// `size` × `size` pixels on a transparent ground.
QImage drawProgramIcon(int size);

}  // namespace velmorin::gui
