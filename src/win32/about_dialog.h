// "バージョン情報": the program's icon and name, placed over the main window.
#pragma once

#include "dialog.h"

namespace velmorin::win32 {

class AboutDialog : public Dialog {
public:
    AboutDialog() : Dialog(aboutDialogTemplate(), {}, false) {}

private:
    void onInit() override;
};

}  // namespace velmorin::win32
