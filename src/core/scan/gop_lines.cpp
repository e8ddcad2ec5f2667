#include "scan/gop_lines.h"

#include "scan/gop_line.h"

namespace velmorin {

void GopLines::clear() {
    text_.clear();
    timeMs_.clear();
}

void GopLines::append(std::string line, std::int64_t timeMs) {
    text_.push_back(std::move(line));
    timeMs_.push_back(timeMs);
}

void GopLines::appendStored(std::string line) {
    const std::int64_t time = lineTimeMs(line).value_or(kNoTime);
    append(std::move(line), time);
}

void GopLines::setPattern(int k, MuteState state) {
    auto& line = text_[static_cast<std::size_t>(k)];
    line = withPatternText(line, state);
}

}  // namespace velmorin
