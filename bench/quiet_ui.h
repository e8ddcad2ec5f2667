// The benchmarks' window system: errors on standard error, everything else silent, every
// question answered No.
#pragma once

#include <cstdio>
#include <string>

#include "ui/ui.h"

namespace velmorin::bench {

class QuietUi : public Ui {
public:
    void error(const std::string& text) override { std::fprintf(stderr, "%s\n", text.c_str()); }
    void info(const std::string&) override {}
    bool confirm(const std::string&) override { return false; }
    void pumpMessages() override {}
    ClientSize openProgress(const std::string&) override { return {}; }
    void drawProgress(const ProgressBar&, int) override {}
    void closeProgress() override {}
    void setWaitCursor(bool) override {}
};

}  // namespace velmorin::bench
