// The command-line tool's window system: messages on standard error behind their
// caption, questions answered by --answer or on the terminal; without either the run
// stops with status 3.
#pragma once

#include <optional>
#include <string>

#include "ui/ui.h"

namespace velmorin::cli {

class ConsoleUi : public Ui {
public:
    // `answer` answers every question of the run when set.
    explicit ConsoleUi(std::optional<bool> answer);

    void error(const std::string& text) override;
    void info(const std::string& text) override;
    bool confirm(const std::string& text) override;
    void pumpMessages() override {}
    ClientSize openProgress(const std::string& caption) override;
    void drawProgress(const ProgressBar& bar, int splitX) override;
    void closeProgress() override;
    void setWaitCursor(bool) override {}

private:
    // A question that nobody can answer ends the run at once with status 3.
    [[noreturn]] void stopUnanswered();
    void message(const char* caption, const std::string& text);

    std::optional<bool> answer_;
    bool progressShown_ = false;
    bool progressOnTerminal_ = false;
    int lastPercent_ = -1;
};

}  // namespace velmorin::cli
