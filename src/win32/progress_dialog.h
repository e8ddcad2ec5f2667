// The progress window of long operations: modeless, centred over the main window; the
// operation draws its bar, and a request to close it asks the operation to stop.
#pragma once

#include "dialog.h"
#include "state/app_state.h"
#include "ui/progress_bar.h"

namespace velmorin::win32 {

class ProgressDialog : public Dialog {
public:
    ProgressDialog(ShellState& shell, const std::string& caption);
    void setBar(const ProgressBar& bar, int splitX);

private:
    void onInit() override;
    bool onCommand(int id, int code) override;
    bool onMessage(UINT message, WPARAM w, LPARAM l, INT_PTR& result) override;
    void paint();

    ShellState& shell_;
    ProgressBar bar_;
    int splitX_ = -1;
};

}  // namespace velmorin::win32
