// The Ui seam over Win32: message boxes with their captions and icons, owned by a window;
// the message pump; the progress window and the wait cursor.
#pragma once

#include <memory>

#include "progress_dialog.h"
#include "state/app_state.h"
#include "ui/ui.h"
#include "win32.h"

namespace velmorin::win32 {

class Win32Ui : public Ui {
public:
    explicit Win32Ui(ShellState& shell) : shell_(shell) {}
    ~Win32Ui() override;
    // The window that owns the message boxes and the progress window.
    void setOwner(HWND owner) { owner_ = owner; }

    void error(const std::string& text) override;
    void info(const std::string& text) override;
    bool confirm(const std::string& text) override;
    void pumpMessages() override;
    ClientSize openProgress(const std::string& caption) override;
    void drawProgress(const ProgressBar& bar, int splitX) override;
    void closeProgress() override;
    void setWaitCursor(bool on) override;

private:
    int ask(const std::string& text, const char* caption, UINT type);

    ShellState& shell_;
    HWND owner_ = nullptr;
    std::unique_ptr<ProgressDialog> progress_;
    bool waitCursor_ = false;
};

}  // namespace velmorin::win32
