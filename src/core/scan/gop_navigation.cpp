#include "scan/gop_navigation.h"

namespace velmorin {

namespace {

int searchFrom(const GopTable& table, int reference, NavigationDirection direction, GopFlag bit) {
    const auto has = [&](int i) { return (table.flags[static_cast<std::size_t>(i)] & bit) != 0; };
    if (direction == NavigationDirection::Backward) {
        for (int i = reference - 1; i >= 0; --i)
            if (has(i) || i == 0) return i;
        return -1;
    }
    for (int i = reference + 1; i < table.gopCount; ++i)
        if (has(i)) return i;
    return -1;
}

}  // namespace

int navigateGopList(const GopTable& table, GopListView& list, NavigationDirection direction,
                    GopFlag flagBit, const std::function<void()>& refreshPreview) {
    if (table.gopCount == 0) return -1;
    // A list with extended selection reports no single selected line, so the search
    // always starts from the first visible line.
    const int found = searchFrom(table, list.topLine(), direction, flagBit);
    if (found >= 0) {
        list.scrollToTop(found);
        list.clearSelection();
        list.select(found);
        list.setCaretLine(found);
        list.focus();
    }
    if (refreshPreview) refreshPreview();
    return found;
}

}  // namespace velmorin
