#include "ui/memory_gop_list.h"

#include <algorithm>

namespace velmorin {

void MemoryGopList::append(const std::string& line) {
    lines_.push_back(line);
    selected_.push_back(false);
}

void MemoryGopList::clear() {
    lines_.clear();
    selected_.clear();
    caret_ = 0;
    top_ = 0;
}

std::string MemoryGopList::line(int index) const {
    return valid(index) ? lines_[static_cast<std::size_t>(index)] : std::string();
}

void MemoryGopList::replaceLine(int index, const std::string& line) {
    if (valid(index)) lines_[static_cast<std::size_t>(index)] = line;
}

void MemoryGopList::setCaretLine(int index) {
    if (valid(index)) caret_ = index;
}

std::vector<int> MemoryGopList::selectedLines() const {
    std::vector<int> out;
    for (int i = 0; i < count(); ++i)
        if (selected_[static_cast<std::size_t>(i)]) out.push_back(i);
    return out;
}

void MemoryGopList::select(int index) {
    if (valid(index)) selected_[static_cast<std::size_t>(index)] = true;
}

void MemoryGopList::clearSelection() {
    std::fill(selected_.begin(), selected_.end(), false);
}

void MemoryGopList::scrollToTop(int index) {
    const int lastTop = std::max(0, count() - visibleLines_);
    top_ = std::clamp(index, 0, lastTop);
}

}  // namespace velmorin
