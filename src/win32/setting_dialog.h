// "オプション設定": the player program, the play time, the working files' extension and
// the preview option. Settings change only when the dialog ends with its OK button.
#pragma once

#include "dialog.h"
#include "state/app_state.h"
#include "win32_ui.h"

namespace velmorin::win32 {

class SettingDialog : public Dialog {
public:
    SettingDialog(Settings& settings, ShellState& shell);

private:
    void onInit() override;
    bool onCommand(int id, int code) override;

    Settings& settings_;
    ShellState& shell_;
    Win32Ui ui_;
    std::string candidate_;  // the player path the browse button starts from
};

}  // namespace velmorin::win32
