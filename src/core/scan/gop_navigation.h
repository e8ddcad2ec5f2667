// Where the four buttons that move through the GOP list by cells ("∧" "∨") and chapters
// ("↑" "↓") go.
#pragma once

#include "scan/gop_table.h"

namespace velmorin {

enum class NavigationDirection { Backward, Forward };

// The previous or next GOP after `from` whose flag byte has `flagBit` (going backward,
// the first GOP counts as found); -1 when there is none.
int navigationTarget(const GopTable& table, int from, NavigationDirection direction,
                     GopFlag flagBit);

}  // namespace velmorin
