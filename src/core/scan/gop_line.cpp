#include "scan/gop_line.h"

#include <string>

#include "common/text_format.h"

namespace velmorin {

std::string formatGopLine(char mark1, char mark2, int gopNumber, const TimeCode& time,
                          MuteState state) {
    const std::string pattern(patternText(state));
    return formatText(" %c%c%05d (%02u:%02u:%02u.%03u) %s", mark1, mark2, gopNumber, time.hours,
                      time.minutes, time.seconds, time.milliseconds, pattern.c_str());
}

std::string withPatternText(const std::string& line, MuteState state) {
    const auto pattern = patternText(state);
    if (line.size() < pattern.size()) return line;
    std::string out = line;
    out.replace(out.size() - pattern.size(), pattern.size(), pattern);
    return out;
}

std::optional<std::int64_t> parseTimeMs(const std::string& text) {
    // Fields h, mm, ss and an optional .mmm; every digit checked, no sign accepted.
    std::int64_t fields[4] = {0, 0, 0, 0};
    int field = 0;
    int digits = 0;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (++digits > 9) return std::nullopt;
            fields[field] = fields[field] * 10 + (c - '0');
        } else if ((c == ':' && field < 2) || (c == '.' && field == 2)) {
            if (digits == 0) return std::nullopt;
            ++field;
            digits = 0;
        } else {
            return std::nullopt;
        }
    }
    if (field < 2 || digits == 0 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
    if (field == 2 && digits != 2) return std::nullopt;
    if (field == 3 && digits != 3) return std::nullopt;
    return ((fields[0] * 60 + fields[1]) * 60 + fields[2]) * 1000 + fields[3];
}

std::optional<std::int64_t> lineTimeMs(const std::string& line) {
    const auto open = line.find('(');
    const auto close = line.find(')', open == std::string::npos ? 0 : open);
    if (open == std::string::npos || close == std::string::npos) return std::nullopt;
    return parseTimeMs(line.substr(open + 1, close - open - 1));
}

std::string sizeLabelText(double totalBytes) {
    const auto t = static_cast<long long>(totalBytes * 1000.0 / 1073741824.0 + 0.5);
    return formatText("ｻｲｽﾞ: %lld.%03lld GB", t / 1000, t % 1000);
}

}  // namespace velmorin
