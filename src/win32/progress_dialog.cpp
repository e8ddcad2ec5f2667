#include "progress_dialog.h"

#include "app/window_geometry.h"

namespace velmorin::win32 {

ProgressDialog::ProgressDialog(ShellState& shell, const std::string& caption)
    : Dialog(progressDialogTemplate(), caption, false), shell_(shell) {}

void ProgressDialog::onInit() {
    RECT parent, own;
    GetWindowRect(GetParent(hwnd()), &parent);
    GetWindowRect(hwnd(), &own);
    const Point at = centredOver(Rect{parent.left, parent.top, parent.right, parent.bottom},
                                 own.right - own.left, own.bottom - own.top);
    SetWindowPos(hwnd(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void ProgressDialog::setBar(const ProgressBar& bar, int splitX) {
    if (splitX == splitX_) return;  // repaint only when the bar grows by a pixel
    bar_ = bar;
    splitX_ = splitX;
    InvalidateRect(hwnd(), nullptr, FALSE);
    UpdateWindow(hwnd());
}

bool ProgressDialog::onCommand(int id, int) {
    // The cancel key and the close box: the operation stops and closes the window.
    if (id == IDCANCEL) shell_.cancelRequested = true;
    return true;
}

bool ProgressDialog::onMessage(UINT message, WPARAM, LPARAM, INT_PTR& result) {
    if (message != WM_PAINT) return false;
    paint();
    result = 0;
    return true;
}

void ProgressDialog::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd(), &ps);
    if (splitX_ >= 0) {
        // Right and bottom are exclusive: a black frame, blue for the work done, white beyond.
        const RECT frame{bar_.left, bar_.top, bar_.right, bar_.bottom};
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        const RECT done{bar_.left + 1, bar_.top + 1, splitX_, bar_.bottom - 1};
        const RECT rest{splitX_, bar_.top + 1, bar_.right - 1, bar_.bottom - 1};
        FillRect(dc, &done, blue);
        FillRect(dc, &rest, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        DeleteObject(blue);
    }
    EndPaint(hwnd(), &ps);
}

}  // namespace velmorin::win32
