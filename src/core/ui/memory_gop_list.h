// A GOP list held in memory, with the scrolling of a list box that shows `visibleLines`
// lines at a time. The command-line tool prints it; tests inspect it.
#pragma once

#include <string>
#include <vector>

#include "ui/gop_list_view.h"

namespace velmorin {

class MemoryGopList : public GopListView {
public:
    explicit MemoryGopList(int visibleLines = 30) : visibleLines_(visibleLines) {}

    void append(const std::string& line) override;
    void clear() override;
    int count() const override { return static_cast<int>(lines_.size()); }
    std::string line(int index) const override;
    void replaceLine(int index, const std::string& line) override;

    int caretLine() const override { return caret_; }
    void setCaretLine(int index) override;
    std::vector<int> selectedLines() const override;
    void select(int index) override;
    void clearSelection() override;

    int topLine() const override { return top_; }
    void scrollToTop(int index) override;
    void focus() override { focused_ = true; }

    void setSizeLabel(const std::string& text) override { sizeLabel_ = text; }

    const std::vector<std::string>& lines() const { return lines_; }
    const std::string& sizeLabel() const { return sizeLabel_; }
    bool focused() const { return focused_; }

private:
    bool valid(int index) const { return index >= 0 && index < count(); }

    int visibleLines_;
    std::vector<std::string> lines_;
    std::vector<bool> selected_;
    int caret_ = 0;
    int top_ = 0;
    bool focused_ = false;
    std::string sizeLabel_ = "ｻｲｽﾞ: 0.000 GB";
};

}  // namespace velmorin
