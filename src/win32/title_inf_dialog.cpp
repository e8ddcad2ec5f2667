#include "title_inf_dialog.h"

#include "platform/wide_text.h"
#include "ui/control_ids.h"

namespace velmorin::win32 {

void TitleInfDialog::onInit() {
    HWND list = item(ids::title_info::kTitleList);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    for (const auto& line : lines_)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wideFromUtf8(line).c_str()));
}

}  // namespace velmorin::win32
