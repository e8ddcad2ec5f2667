#include "scan/gop_lines.h"

#include "scan/gop_line.h"

namespace velmorin {

void GopLines::clear() {
    text_.clear();
    end_.clear();
    timeMs_.clear();
}

void GopLines::append(std::string_view line, std::int64_t timeMs) {
    text_ += line;
    end_.push_back(text_.size());
    timeMs_.push_back(timeMs);
}

void GopLines::appendStored(std::string_view line) {
    append(line, lineTimeMs(std::string(line)).value_or(kNoTime));
}

std::string_view GopLines::text(int k) const {
    const auto i = static_cast<std::size_t>(k);
    const std::size_t begin = i == 0 ? 0 : end_[i - 1];
    return std::string_view(text_).substr(begin, end_[i] - begin);
}

void GopLines::setPattern(int k, MuteState state) {
    const auto pattern = patternText(state);
    const std::string_view line = text(k);
    if (line.size() < pattern.size()) return;
    const std::size_t at = end_[static_cast<std::size_t>(k)] - pattern.size();
    text_.replace(at, pattern.size(), pattern);
}

}  // namespace velmorin
