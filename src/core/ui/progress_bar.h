// Geometry of the bar that long operations draw in the progress window: a black frame
// with a blue part for the work done and a white part for the rest.
#pragma once

#include <cstdint>

namespace velmorin {

struct ProgressBar {
    // Right and bottom are exclusive.
    int left = 0, top = 0, right = 0, bottom = 0;

    // The bar inside a client area of width w and height h.
    static ProgressBar forClientArea(int w, int h);

    // x where blue ends and white begins for `done` of `total`; an empty bar when there
    // is nothing to do.
    int splitX(std::int64_t done, std::int64_t total) const;
    // The same as a fraction 0 … 1 of the bar's inner width, for text front ends.
    double fraction(int splitX) const;
};

}  // namespace velmorin
