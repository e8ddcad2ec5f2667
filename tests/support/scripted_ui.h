// A Ui for tests: records every message and progress draw, answers questions from a
// script, and can "close the progress window" after a number of message pumps.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "ui/ui.h"

namespace velmorin::test {

struct UiMessage {
    std::string kind;  // "error", "info", "confirm"
    std::string text;
    bool operator==(const UiMessage&) const = default;
};

class ScriptedUi : public Ui {
public:
    explicit ScriptedUi(ShellState& shell) : shell_(shell) {}

    void error(const std::string& text) override { messages.push_back({"error", text}); }
    void info(const std::string& text) override { messages.push_back({"info", text}); }
    bool confirm(const std::string& text) override {
        messages.push_back({"confirm", text});
        if (answers.empty()) return true;
        const bool a = answers.front();
        answers.pop_front();
        return a;
    }
    void pumpMessages() override {
        ++pumps;
        if (cancelAfterPumps >= 0 && pumps > cancelAfterPumps) shell_.cancelRequested = true;
        if (onPump) onPump();
    }
    ClientSize openProgress(const std::string& caption) override {
        progressCaption = caption;
        progressOpen = true;
        return clientSize;
    }
    void drawProgress(const ProgressBar& bar, int splitX) override {
        lastBar = bar;
        draws.push_back(splitX);
    }
    void closeProgress() override { progressOpen = false; }
    void setWaitCursor(bool on) override { waitCursor = on; }

    std::vector<UiMessage> messages;
    std::deque<bool> answers;
    int pumps = 0;
    int cancelAfterPumps = -1;
    std::function<void()> onPump;  // runs inside the message loop, as a user's action would
    ClientSize clientSize{320, 90};
    std::string progressCaption;
    bool progressOpen = false;
    bool waitCursor = false;
    ProgressBar lastBar;
    std::vector<int> draws;

private:
    ShellState& shell_;
};

}  // namespace velmorin::test
