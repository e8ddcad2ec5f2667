// The four buttons that move through the GOP list by cells ("∧" "∨") and chapters
// ("↑" "↓").
#pragma once

#include <functional>

#include "scan/gop_table.h"
#include "ui/gop_list_view.h"

namespace velmorin {

enum class NavigationDirection { Backward, Forward };

// Searches from the list's top line for the previous or next GOP whose flag byte has
// `flagBit` (backward stops at the first GOP anyway). A found GOP becomes the top line,
// the only selected line and the caret line. The preview is refreshed in every case.
// Returns the line found, or -1.
int navigateGopList(const GopTable& table, GopListView& list, NavigationDirection direction,
                    GopFlag flagBit, const std::function<void()>& refreshPreview);

}  // namespace velmorin
