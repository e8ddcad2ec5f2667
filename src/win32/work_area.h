// Keeps the program's windows on the screen at any scaling: their own placement is kept
// where the real frame fits the work area of its monitor (the screen less its task bars),
// otherwise the frame is moved inside.
#pragma once

#include "win32.h"

namespace velmorin::win32 {

// Moves top-level `window` as little as keeps its frame rectangle inside the work area of
// the monitor it is (mostly) on; a window that fits stays where it is.
void keepInsideWorkArea(HWND window);

}  // namespace velmorin::win32
