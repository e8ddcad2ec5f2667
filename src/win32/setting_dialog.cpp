#include "setting_dialog.h"

#include "app/path_browser.h"
#include "app/settings_dialog_rules.h"
#include "path_dialog.h"
#include "platform/wide_text.h"

namespace velmorin::win32 {

SettingDialog::SettingDialog(Settings& settings, ShellState& shell)
    : Dialog(settingDialogTemplate(), kSettingsCaption, false),
      settings_(settings),
      shell_(shell),
      ui_(shell),
      candidate_(settings.playerPath) {}

void SettingDialog::onInit() {
    ui_.setOwner(hwnd());
    setItemText(101, candidate_);
    HWND times = item(103);
    for (const char* text : kPlayTimeTexts)
        SendMessageW(times, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(text).c_str()));
    SendMessageW(times, CB_SETCURSEL, static_cast<WPARAM>(settings_.playTimeIndex), 0);
    setChecked(104, settings_.mpgWorkingFiles);
    setChecked(105, settings_.previewEnabled);
}

bool SettingDialog::onCommand(int id, int) {
    if (id == IDOK) {
        candidate_ = itemText(101);
        if (!acceptPlayerPath(candidate_, ui_)) return true;
        settings_.playerPath = candidate_;
        settings_.playTimeIndex = static_cast<int>(SendMessageW(item(103), CB_GETCURSEL, 0, 0));
        settings_.mpgWorkingFiles = isChecked(104);
        settings_.previewEnabled = isChecked(105);
        end(IDOK);
        return true;
    }
    if (id == 102) {
        ViewerSelectDialog dialog(kPlayerDialogCaption, PathBrowser::kProgramsPattern, candidate_,
                                  shell_.programFolder);
        if (dialog.runModal(hwnd()) == IDOK) {
            candidate_ = dialog.result();
            setItemText(101, candidate_);
        }
        return true;
    }
    return false;
}

}  // namespace velmorin::win32
