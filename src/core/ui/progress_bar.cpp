#include "ui/progress_bar.h"

#include <algorithm>

namespace velmorin {

ProgressBar ProgressBar::forClientArea(int w, int h) {
    return ProgressBar{w / 16, h / 3, w - w / 16, h - h / 3};
}

int ProgressBar::splitX(std::int64_t done, std::int64_t total) const {
    const int inner = (right - 1) - (left + 1);
    if (total <= 0) return left + 1;
    const double share =
        std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0);
    return (left + 1) + static_cast<int>(inner * share + 0.5);
}

double ProgressBar::fraction(int x) const {
    const int inner = (right - 1) - (left + 1);
    if (inner <= 0) return 0;
    return std::clamp(static_cast<double>(x - (left + 1)) / inner, 0.0, 1.0);
}

}  // namespace velmorin
