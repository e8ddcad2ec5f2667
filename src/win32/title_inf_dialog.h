// "ﾀｲﾄﾙ情報表示": the disc's titles, one line each, in a small modal list.
#pragma once

#include <string>
#include <vector>

#include "dialog.h"

namespace velmorin::win32 {

class TitleInfDialog : public Dialog {
public:
    explicit TitleInfDialog(std::vector<std::string> lines)
        : Dialog(titleInfDialogTemplate(), {}, false), lines_(std::move(lines)) {}

private:
    void onInit() override;
    std::vector<std::string> lines_;
};

}  // namespace velmorin::win32
