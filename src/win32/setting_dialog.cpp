#include "setting_dialog.h"

#include "app/path_browser.h"
#include "app/settings_dialog_rules.h"
#include "path_dialog.h"
#include "platform/wide_text.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

SettingDialog::SettingDialog(Settings& settings, ShellState& shell)
    : Dialog(settingDialogTemplate(), kSettingsCaption, false),
      settings_(settings),
      shell_(shell),
      ui_(shell),
      candidate_(settings.playerPath) {}

void SettingDialog::onInit() {
    ui_.setOwner(hwnd());
    setItemText(ids::settings::kPlayerPath, candidate_);
    HWND times = item(ids::settings::kPlayTime);
    for (const char* text : kPlayTimeTexts)
        SendMessageW(times, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(text).c_str()));
    SendMessageW(times, CB_SETCURSEL, static_cast<WPARAM>(settings_.playTimeIndex), 0);
    setChecked(ids::settings::kMpgWorkingFiles, settings_.mpgWorkingFiles);
    setChecked(ids::settings::kPreviewEnabled, settings_.previewEnabled);
}

bool SettingDialog::onCommand(int id, int) {
    if (id == IDOK) {
        candidate_ = itemText(ids::settings::kPlayerPath);
        if (!acceptPlayerPath(candidate_, ui_)) return true;
        settings_.playerPath = candidate_;
        settings_.playTimeIndex =
            static_cast<int>(SendMessageW(item(ids::settings::kPlayTime), CB_GETCURSEL, 0, 0));
        settings_.mpgWorkingFiles = isChecked(ids::settings::kMpgWorkingFiles);
        settings_.previewEnabled = isChecked(ids::settings::kPreviewEnabled);
        end(IDOK);
        return true;
    }
    if (id == ids::settings::kBrowsePlayer) {
        ViewerSelectDialog dialog(kPlayerDialogCaption, PathBrowser::kProgramsPattern, candidate_,
                                  shell_.programFolder);
        if (dialog.runModal(hwnd()) == IDOK) {
            candidate_ = dialog.result();
            setItemText(ids::settings::kPlayerPath, candidate_);
        }
        return true;
    }
    return false;
}

}  // namespace velmorin::win32
