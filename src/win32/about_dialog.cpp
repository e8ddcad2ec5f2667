#include "about_dialog.h"

#include "app/main_commands.h"
#include "app/window_geometry.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

void AboutDialog::onInit() {
    setItemText(ids::about::kProgramName, kMainCaption);
    RECT p, d;
    GetWindowRect(GetParent(hwnd()), &p);
    GetWindowRect(hwnd(), &d);
    const Rect placed = aboutDialogPlacement(
        Rect{p.left, p.top, p.right, p.bottom}, Rect{d.left, d.top, d.right, d.bottom},
        GetSystemMetrics(SM_CYCAPTION), GetSystemMetrics(SM_CYMENU), GetSystemMetrics(SM_CXSCREEN),
        GetSystemMetrics(SM_CYSCREEN));
    SetWindowPos(hwnd(), nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
}

}  // namespace velmorin::win32
