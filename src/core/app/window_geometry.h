// Where the windows go: dialog units to pixels, and the placement of the main window, the
// version dialog, the preview and the progress window.
#pragma once

namespace velmorin {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

// A dialog template's rectangle (x, y, width, height in dialog units) in pixels: a
// horizontal unit is a quarter of the font's average character width, a vertical unit an
// eighth of its height.
Rect dialogUnitsToPixels(int x, int y, int width, int height, int baseWidth, int baseHeight);

// Top-left corner of the main window: centred for a 740 × 500 client on a screen of width
// screenWidth whose usable height (less task bar and caption) is fullClientHeight.
struct Point {
    int x = 0, y = 0;
};
Point mainWindowPosition(int screenWidth, int fullClientHeight, int borderWidth, int borderHeight,
                         int captionHeight);

// The version dialog over the main window `parent`: centred across, a third of the free
// height down (plus caption and menu bar), pulled back inside the screen.
Rect aboutDialogPlacement(const Rect& parent, const Rect& dialog, int captionHeight, int menuHeight,
                          int screenWidth, int screenHeight);

// The preview window (outer height frameHeight): at the left edge, a third of the free
// screen height down, in integer division.
Point previewWindowPosition(int screenHeight, int frameHeight);

// A window of width × height centred over `parent`: half the differences, truncated.
Point centredOver(const Rect& parent, int width, int height);

// Where a window goes whose frame rectangle, as its own placement put it, is `frame`, on a
// monitor whose work area (the screen less its task bars) is `workArea`: left alone where it
// lies inside; otherwise moved just far enough to lie inside, same size. A frame wider or
// taller than the work area keeps its left or top edge on the work area's, so that its caption
// and menu bar stay in reach.
Rect keptInsideWorkArea(const Rect& frame, const Rect& workArea);

}  // namespace velmorin
