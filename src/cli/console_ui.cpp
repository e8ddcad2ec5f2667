#include "console_ui.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "exit_status.h"
#include "terminal.h"

namespace velmorin::cli {

ConsoleUi::ConsoleUi(std::optional<bool> answer)
    : answer_(answer), progressOnTerminal_(isTerminal(stderr)) {}

void ConsoleUi::message(const char* caption, const std::string& text) {
    if (progressShown_) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "[%s] %s\n", caption, text.c_str());
    std::fflush(stderr);
}

void ConsoleUi::error(const std::string& text) {
    message("エラー", text);
}

void ConsoleUi::info(const std::string& text) {
    message("情報", text);
}

bool ConsoleUi::confirm(const std::string& text) {
    if (answer_) {
        message("確認", text);
        std::fprintf(stderr, "%s\n", *answer_ ? "yes" : "no");
        return *answer_;
    }
    if (!isTerminal(stdin)) {
        message("確認", text);
        stopUnanswered();
    }
    for (;;) {
        message("確認", text);
        std::fputs("(y/n) ", stderr);
        std::string reply;
        if (!std::getline(std::cin, reply)) stopUnanswered();
        if (reply == "y" || reply == "yes") return true;
        if (reply == "n" || reply == "no") return false;
    }
}

void ConsoleUi::stopUnanswered() {
    // Neither answer is safe to assume (Yes goes on past a damaged pack, No goes on
    // editing a padding stream), and nothing has been written when a question comes up.
    std::fflush(stdout);
    std::exit(kExitUnanswered);
}

ClientSize ConsoleUi::openProgress(const std::string&) {
    progressShown_ = progressOnTerminal_;
    lastPercent_ = -1;
    return ClientSize{400, 60};
}

void ConsoleUi::drawProgress(const ProgressBar& bar, int splitX) {
    if (!progressShown_) return;
    const int percent = static_cast<int>(bar.fraction(splitX) * 100.0 + 0.5);
    if (percent == lastPercent_) return;
    lastPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    std::fprintf(stderr, "\r[%s%s] %3d%%",
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kWidth - filled), '.').c_str(), percent);
    std::fflush(stderr);
}

void ConsoleUi::closeProgress() {
    if (progressShown_) {
        std::fputs("\r\033[K", stderr);
        std::fflush(stderr);
    }
    progressShown_ = false;
}

}  // namespace velmorin::cli
