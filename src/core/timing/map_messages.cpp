#include "timing/map_messages.h"

#include "common/text_format.h"

namespace velmorin::map_messages {

std::string titleNotInSet(int title, int count) {
    return formatText("タイトル%dがありません（このタイトルセットのタイトル数=%d）.", title, count);
}

std::string spanOutsideTitle(const std::string& span, const std::string& title) {
    return formatText("%s はタイトルの範囲（%s）の外です.", span.c_str(), title.c_str());
}

}  // namespace velmorin::map_messages
