// A Ui that shows nothing and answers every question the same way: for fuzz targets and
// benchmarks, where messages are not the point.
#pragma once

#include <string>

#include "ui/ui.h"

namespace velmorin::test {

class SilentUi : public Ui {
public:
    explicit SilentUi(bool answer = false) : answer_(answer) {}
    void error(const std::string& text) override { lastError = text; }
    void info(const std::string&) override {}
    bool confirm(const std::string&) override { return answer_; }
    void pumpMessages() override {}
    ClientSize openProgress(const std::string&) override { return {200, 40}; }
    void drawProgress(const ProgressBar&, int) override {}
    void closeProgress() override {}
    void setWaitCursor(bool) override {}

    std::string lastError;

private:
    bool answer_;
};

}  // namespace velmorin::test
