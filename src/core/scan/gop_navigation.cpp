#include "scan/gop_navigation.h"

#include <algorithm>

namespace velmorin {

int navigationTarget(const GopTable& table, int from, NavigationDirection direction,
                     GopFlag flagBit) {
    const auto has = [&](int i) {
        return (table.flags[static_cast<std::size_t>(i)] & flagBit) != 0;
    };
    if (direction == NavigationDirection::Backward) {
        for (int i = std::min(from, table.gopCount) - 1; i >= 0; --i)
            if (has(i) || i == 0) return i;
        return -1;
    }
    for (int i = std::max(from + 1, 0); i < table.gopCount; ++i)
        if (has(i)) return i;
    return -1;
}

}  // namespace velmorin
