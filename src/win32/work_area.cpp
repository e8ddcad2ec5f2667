#include "work_area.h"

#include "app/window_geometry.h"

namespace velmorin::win32 {

void keepInsideWorkArea(HWND window) {
    RECT frame{};
    if (!GetWindowRect(window, &frame)) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const Rect placed = keptInsideWorkArea(Rect{frame.left, frame.top, frame.right, frame.bottom},
                                           Rect{work.left, work.top, work.right, work.bottom});
    if (placed.left == frame.left && placed.top == frame.top) return;
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velmorin::win32
