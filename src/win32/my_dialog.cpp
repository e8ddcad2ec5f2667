#include "my_dialog.h"

#include "app/command_table.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

MyDialog::MyDialog(std::function<void(int)> command, std::function<void()> selectionChanged)
    : Dialog(mainDialogTemplate(), {}, true),
      command_(std::move(command)),
      selectionChanged_(std::move(selectionChanged)) {}

void MyDialog::onInit() {
    gopList_.attach(hwnd(), item(ids::main_window::kGopList), item(ids::main_window::kSizeLabel));
    gopList_.setSizeLabel("ｻｲｽﾞ: 0.000 GB");
}

bool MyDialog::onCommand(int id, int code) {
    if (id == ids::main_window::kGopList) {
        if (code == LBN_DBLCLK) command_(id);
        // Sent for the user's changes only, never for the program's own.
        if (code == LBN_SELCHANGE) selectionChanged_();
        return true;
    }
    // Buttons, and the cancel key as the exit button's id.
    if (code == BN_CLICKED) command_(id);
    return true;
}

}  // namespace velmorin::win32
