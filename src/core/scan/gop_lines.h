// The GOP list's lines as data, beside the GOP table: line k shows GOP k. Each line keeps
// its GOP's time code in milliseconds, so that commands find a GOP by its time without
// reading list text. Not part of the state record: a scan builds it, and a project load
// rebuilds it from the lines the project stores. The lines lie end to end in one buffer:
// a title may have 131,071 of them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scan/mute_marker.h"

namespace velmorin {

class GopLines {
public:
    static constexpr std::int64_t kNoTime = -1;

    void clear();
    void append(std::string_view line, std::int64_t timeMs);
    // A line read back from a project: its time comes from its text (kNoTime when the
    // text holds none).
    void appendStored(std::string_view line);

    int count() const { return static_cast<int>(timeMs_.size()); }
    // Line k, 0 <= k < count(); valid until the lines change.
    std::string_view text(int k) const;
    std::int64_t timeMs(int k) const { return timeMs_[static_cast<std::size_t>(k)]; }
    // Shows `state` as line k's pattern text.
    void setPattern(int k, MuteState state);

private:
    std::string text_;
    std::vector<std::size_t> end_;  // where each line ends in text_
    std::vector<std::int64_t> timeMs_;
};

}  // namespace velmorin
