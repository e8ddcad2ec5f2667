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

std::string sizeLabelText(double totalBytes) {
    const auto t = static_cast<long long>(totalBytes * 1000.0 / 1073741824.0 + 0.5);
    return formatText("ｻｲｽﾞ: %lld.%03lld GB", t / 1000, t % 1000);
}

}  // namespace velmorin
