// The GOP list's lines as data, beside the GOP table: line k shows GOP k. Each line keeps
// its GOP's time code in milliseconds, so that commands find a GOP by its time without
// reading list text. Not part of the state record: a scan builds it, and a project load
// rebuilds it from the lines the project stores.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scan/mute_marker.h"

namespace velmorin {

class GopLines {
public:
    static constexpr std::int64_t kNoTime = -1;

    void clear();
    void append(std::string line, std::int64_t timeMs);
    // A line read back from a project: its time comes from its text (kNoTime when the
    // text holds none).
    void appendStored(std::string line);

    int count() const { return static_cast<int>(text_.size()); }
    // Line k, 0 <= k < count().
    const std::string& text(int k) const { return text_[static_cast<std::size_t>(k)]; }
    std::int64_t timeMs(int k) const { return timeMs_[static_cast<std::size_t>(k)]; }
    // Shows `state` as line k's pattern text.
    void setPattern(int k, MuteState state);

private:
    std::vector<std::string> text_;
    std::vector<std::int64_t> timeMs_;
};

}  // namespace velmorin
