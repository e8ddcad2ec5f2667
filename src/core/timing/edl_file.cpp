#include "timing/edl_file.h"

#include <algorithm>
#include <optional>

#include "common/text_decoding.h"
#include "common/text_lines.h"
#include "timing/title_time_text.h"

namespace velmorin {

namespace {

constexpr int kMuteAction = 1;

std::vector<std::string_view> blankSeparatedFields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (;;) {
        line = trimBlanks(line);
        if (line.empty()) return fields;
        const auto end = std::min(line.find_first_of(" \t"), line.size());
        fields.push_back(line.substr(0, end));
        line.remove_prefix(end);
    }
}

// Actions are small whole numbers; anything else is a malformed line.
std::optional<int> actionNumber(std::string_view text) {
    if (text.empty() || text.size() > 3) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

EdlList malformed(int line) {
    EdlList list;
    list.result = EdlResult::MalformedLine;
    list.errorLine = line;
    return list;
}

}  // namespace

EdlList parseEdl(std::string_view text) {
    text = withoutByteOrderMark(text);
    EdlList list;
    const auto lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i) + 1;
        const std::string_view line = trimBlanks(lines[i]);
        if (line.empty() || line.front() == '#') continue;
        const auto fields = blankSeparatedFields(line);
        if (fields.size() != 3) return malformed(lineNumber);
        const auto start = parseTitleTime(fields[0]);
        const auto end = parseTitleTime(fields[1]);
        const auto action = actionNumber(fields[2]);
        if (!start || !end || !action || *end < *start) return malformed(lineNumber);
        if (*action != kMuteAction) {
            list.ignored.push_back({lineNumber, std::string(fields[2])});
            continue;
        }
        // A mute of nothing is a slip in the list, not a request the caller can honour.
        if (*end == *start) return malformed(lineNumber);
        list.mutes.push_back({*start, *end});
    }
    return list;
}

}  // namespace velmorin
