// What a command needs from the window system: message boxes, the message pump, the
// progress window and the wait cursor. The desktop program, the command-line tool and
// the tests each implement it.
#pragma once

#include <string>

#include "ui/progress_bar.h"

namespace velmorin {

struct ClientSize {
    int width = 0;
    int height = 0;
};

class Ui {
public:
    virtual ~Ui() = default;

    // Message boxes: "エラー" with a warning icon, "情報" with an information icon.
    virtual void error(const std::string& text) = 0;
    virtual void info(const std::string& text) = 0;
    // "確認" with Yes and No; true for Yes.
    virtual bool confirm(const std::string& text) = 0;

    // Lets waiting window messages run, so the window repaints and the progress window
    // can be closed. Closing it sets the shell state's cancelRequested.
    virtual void pumpMessages() = 0;

    // The progress window, centred over the main window; returns its client area.
    virtual ClientSize openProgress(const std::string& caption) = 0;
    virtual void drawProgress(const ProgressBar& bar, int splitX) = 0;
    virtual void closeProgress() = 0;

    virtual void setWaitCursor(bool on) = 0;
};

}  // namespace velmorin
