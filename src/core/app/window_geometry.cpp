#include "app/window_geometry.h"

namespace velmorin {

namespace {

// Rounded a × b / c, as the platform's MulDiv computes dialog units.
int mulDiv(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}

}  // namespace

Rect dialogUnitsToPixels(int x, int y, int width, int height, int baseWidth, int baseHeight) {
    const int left = mulDiv(x, baseWidth, 4), top = mulDiv(y, baseHeight, 8);
    return Rect{left, top, left + mulDiv(width, baseWidth, 4), top + mulDiv(height, baseHeight, 8)};
}

Point mainWindowPosition(int screenWidth, int fullClientHeight, int borderWidth, int borderHeight,
                         int captionHeight) {
    return Point{(screenWidth - (2 * borderWidth + 740)) / 2,
                 (fullClientHeight + captionHeight - (2 * borderHeight + captionHeight + 500)) / 2};
}

Rect aboutDialogPlacement(const Rect& parent, const Rect& dialog, int captionHeight, int menuHeight,
                          int screenWidth, int screenHeight) {
    int h = (parent.width() - dialog.width()) / 2;
    if (h < 0) h = 0;
    int v = captionHeight + (parent.height() - dialog.height()) / 3 + menuHeight;
    if (v < 0) v = 0;
    Rect placed{parent.left + h, parent.top + v, parent.left + h + dialog.width(),
                parent.top + v + dialog.height()};
    if (placed.right > screenWidth) {
        const int excess = placed.right - screenWidth;
        placed.left -= excess;
        placed.right -= excess;
    }
    if (placed.bottom > screenHeight) {
        const int excess = placed.bottom - screenHeight;
        placed.top -= excess;
        placed.bottom -= excess;
    }
    return placed;
}

Point previewWindowPosition(int screenHeight, int frameHeight) {
    return {0, (screenHeight - frameHeight) / 3};
}

Point centredOver(const Rect& parent, int width, int height) {
    return {parent.left + (parent.width() - width) / 2,
            parent.top + (parent.height() - height) / 2};
}

namespace {

// The start of a span of `length` from `start`, moved the least to lie within [low, high);
// a span longer than the room starts at `low`.
int keptWithin(int start, int length, int low, int high) {
    if (start + length > high) start = high - length;
    return start < low ? low : start;
}

}  // namespace

Rect keptInsideWorkArea(const Rect& frame, const Rect& workArea) {
    const int left = keptWithin(frame.left, frame.width(), workArea.left, workArea.right);
    const int top = keptWithin(frame.top, frame.height(), workArea.top, workArea.bottom);
    return Rect{left, top, left + frame.width(), top + frame.height()};
}

}  // namespace velmorin
